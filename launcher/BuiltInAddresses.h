// The addresses the launcher uses when config.ini does not name one. An
// operator who ships another default changes the hosts here and rebuilds; the
// paths are what the game's sites serve.
#pragma once

namespace builtin {

// The game site: the page inside the launcher, and its home page.
constexpr const wchar_t kClientWeb[] = L"http://www.selvane-game.test/embed/3372/";
constexpr const wchar_t kHomeUrl[] = L"http://www.selvane-game.test/";
// The operator's recharge, FAQ and forum sites.
constexpr const wchar_t kRechargeUrl[] = L"http://pay.selvane-online.test/3372.htm";
constexpr const wchar_t kServiceUrl[] = L"http://www.selvane-online.test/faq/";
constexpr const wchar_t kForumUrl[] = L"http://bbs.selvane-online.test/forum-870-1.html";

}  // namespace builtin
