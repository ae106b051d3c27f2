#include "app/desktop_ports.h"

#include "app/main_window.h"
#include "catalogue/connection_record.h"

namespace tabulorix {

DesktopPorts::DesktopPorts(TForm1& window)
    : ports_(&window),
      status_(&window, [&window] { return window.Busy(); }),
      connect_(&window),
      installed_(ports_.AsUiPorts(&status_)) {
    window.SetConnectionAsker([this, &window]() -> std::optional<MGReverseRequest> {
        if (!connect_.Execute(window.Document().Settings())) return std::nullopt;
        return MGReverseRequest{MakeUserInfo(connect_.UserName(), connect_.Password(), connect_.ServiceName()), 0,
                                connect_.PagesAcross(), connect_.TableItem()};
    });
}

}  // namespace tabulorix
