#pragma once
// Internet shortcut files ("play.url", "Homepage.url", "website.url"): INI text whose "URL=" line
// names a web address. Only http and https addresses are ever handed to the desktop, so a
// shortcut cannot open a local program or an odd scheme.

#include <string>

// The shortcut's address: the value of the first "URL" key (any case) in the [InternetShortcut]
// section or before any section; empty when there is none.
std::string ReadShortcutUrl(const std::string& text);

// True for an address beginning with "http://" or "https://" (any case) that has a host and no
// spaces or control characters.
bool IsWebAddress(const std::string& address);

// Reads the shortcut file at `path` (at most kMaxShortcutSize bytes are looked at) and opens its
// address with the desktop when it is a web address. False when nothing was opened.
bool OpenShortcutFile(const std::string& path);

constexpr std::size_t kMaxShortcutSize = 64 * 1024;
