#include <QApplication>

#include "app/program.h"
#include "link/hidapi_transport.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (!torbex::app::prepareApplication(app)) return 1;
    torbex::link::HidapiTransport transport;
    torbex::link::SteadyClock clock;
    return torbex::app::runMainWindow(app, transport, clock);
}
