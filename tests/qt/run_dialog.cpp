#include "run_dialog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace tamsel::qt::test {

constexpr int kWatchdogMs = 30000;
constexpr int kBodyEndedSentinel = -77;

RunOutcome RunDialog(ui::DialogBehaviour& behaviour,
                     const std::function<void(QtDialogHost&, TemplateDialog&)>& body,
                     QtHostOptions options) {
    RunOutcome outcome;
    QtDialogHost* hostPointer = nullptr;
    options.afterShown = [&](TemplateDialog& dialog) {
        QTimer::singleShot(kWatchdogMs, &dialog, [&dialog] { dialog.done(kBodyEndedSentinel); });
        outcome.bodyRan = true;
        body(*hostPointer, dialog);
        outcome.endedByBody = !dialog.isVisible();
        if (dialog.isVisible()) dialog.done(kBodyEndedSentinel);
    };
    QtDialogHost host(behaviour, nullptr, options);
    hostPointer = &host;
    outcome.result = host.Run();
    return outcome;
}

void Pump(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

}  // namespace tamsel::qt::test
