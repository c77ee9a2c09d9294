# The libraries that make up Selvane, shared by the program build and the test
# build (which compiles them again with its own toolchain).
set(SELVANE_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

set(SELVANE_DEFINES _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 UNICODE _UNICODE NOMINMAX)

function(selvane_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${SELVANE_ROOT})
    target_compile_definitions(${name} PUBLIC ${SELVANE_DEFINES})
    target_compile_options(${name} PRIVATE -Wall -Wextra -Wno-unknown-pragmas -Wno-cast-function-type
                           -ffunction-sections -fdata-sections)
endfunction()

file(GLOB SELVANE_FRAMEWORK_SOURCES CONFIGURE_DEPENDS ${SELVANE_ROOT}/framework/*.cpp)
# The entry point goes into each program itself: the C runtime asks for
# wWinMain only after the libraries have been searched.
list(FILTER SELVANE_FRAMEWORK_SOURCES EXCLUDE REGEX "/AppEntry\\.cpp$")
set(SELVANE_ENTRY_SOURCE ${SELVANE_ROOT}/framework/AppEntry.cpp)
selvane_library(selvane_framework ${SELVANE_FRAMEWORK_SOURCES})
target_link_libraries(selvane_framework PUBLIC gdiplus ole32 oleaut32 uuid urlmon comctl32 shell32 user32 gdi32 kernel32)

file(GLOB SELVANE_TRANSLUCENT_SOURCES CONFIGURE_DEPENDS ${SELVANE_ROOT}/translucent/*.cpp)
selvane_library(selvane_translucent ${SELVANE_TRANSLUCENT_SOURCES})
target_link_libraries(selvane_translucent PUBLIC selvane_framework)

# The configuration reader is the application shell's, but the launcher
# reads it too: a library of its own below both.
selvane_library(selvane_config ${SELVANE_ROOT}/app/ConfigFile.cpp)
target_link_libraries(selvane_config PUBLIC selvane_framework)

file(GLOB SELVANE_LAUNCHER_SOURCES CONFIGURE_DEPENDS ${SELVANE_ROOT}/launcher/*.cpp)
selvane_library(selvane_launcher ${SELVANE_LAUNCHER_SOURCES})
target_link_libraries(selvane_launcher PUBLIC selvane_translucent selvane_config)

# The application object and the game window. The launcher and the game
# window hand over to each other through the application object, so these two
# libraries depend on each other (CMake repeats them on the link line).
file(GLOB SELVANE_APP_SOURCES CONFIGURE_DEPENDS ${SELVANE_ROOT}/app/*.cpp ${SELVANE_ROOT}/game/*.cpp)
list(FILTER SELVANE_APP_SOURCES EXCLUDE REGEX "/(App|ConfigFile)\\.cpp$")
selvane_library(selvane_app ${SELVANE_APP_SOURCES})
target_link_libraries(selvane_app PUBLIC selvane_launcher)
target_link_libraries(selvane_launcher PUBLIC selvane_app)

# The resource script, compiled once per build tree and linked into the
# program and into every test that needs the real resources.
set(SELVANE_RC ${SELVANE_ROOT}/res/Selvane.rc)
file(GLOB SELVANE_RES_FILES CONFIGURE_DEPENDS ${SELVANE_ROOT}/res/*.* ${SELVANE_ROOT}/res/art/*)
set_source_files_properties(${SELVANE_RC} PROPERTIES OBJECT_DEPENDS "${SELVANE_RES_FILES}")
add_library(selvane_resources OBJECT ${SELVANE_RC})
target_include_directories(selvane_resources PRIVATE ${SELVANE_ROOT}/res)

# Static runtime, and an image the oldest loader of its architecture accepts:
# Windows XP (NT 5.1) for i686, XP x64 / Server 2003 (NT 5.2) for x86-64.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(SELVANE_OS_MINOR 2)
else()
    set(SELVANE_OS_MINOR 1)
endif()
# The stack reserve is address space, not memory: the launcher and the game
# window run nested one modal loop per switch, and a player may switch
# thousands of times in one session.
set(SELVANE_STACK_RESERVE 67108864)
set(SELVANE_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -municode -Wl,--stack,${SELVANE_STACK_RESERVE}
    -Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,${SELVANE_OS_MINOR}
    -Wl,--major-os-version,5 -Wl,--minor-os-version,${SELVANE_OS_MINOR})
