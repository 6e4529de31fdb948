#pragma once
#include <QSize>
#include <QString>

#include <span>

namespace trb {

class PopupPage;

// Every menu command that opens a page, in menu order.
enum class PageKind {
    HomeInformation, BasicWireless, Lan, Performance, MultiSsid, Vlan, Intrusion, Schedule,
    DhcpServer, ApArray, Filter, QoS, ArpSpoofing, Administration, FirmwareAndSsl,
    ConfigurationFile, TimeAndDate, DeviceInformation, ClientInformation, WdsInformation, Stats,
    Log, System,
};
inline constexpr int kPageKindCount = 23;

struct PageCommand {
    PageKind kind;
    const char *menu;  // the menu's text, e.g. "&Basic"
    const char *entry; // the entry's text, e.g. "&LAN"
    const char *title; // the page window's caption (the page class's own kTitle once it exists)
    QSize size;        // empty: the page keeps its own size and is centred
    int pollAsync;
    bool clearStatusText;
    // Makes the page (the model's class where the page has one); none: not built yet.
    PopupPage *(*create)() = nullptr;
};

std::span<const PageCommand> PageCommands();
const PageCommand &CommandFor(PageKind kind);

// A new page of that kind: the model's class where the page has one; pages that are not
// built yet open a placeholder that says so.
PopupPage *CreatePage(PageKind kind);

} // namespace trb
