// The application object in a program that lacks the launcher's resources:
// the first launcher cannot be created, and the program must end at once,
// with a failure exit code, leaving no pointer to the dead window object.
#include "support/TestSupport.h"

#include "app/CTranslucentApp.h"

TEST(AppStart, AFirstLauncherThatCannotBeCreatedEndsTheProgramWithAFailure)
{
    CTranslucentApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.m_pMainWnd, nullptr) << "no pointer to the destroyed launcher object";
    EXPECT_EQ(app.ExitInstance(), CTranslucentApp::kExitWindowFailed);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message ends any outer loop";
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(CTranslucentApp::kExitWindowFailed));
}
