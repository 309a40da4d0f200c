#include "tools/first_setup.h"

#include <QCoreApplication>
#include <QProcess>

#include "settings/records.h"
#include "settings/store.h"
#include "tools/plot_outcome.h"
#include "tools/plot_tr.h"
#include "tools/plot_words.h"
#include "tools/sender_run.h"
#include "tools/settings_state.h"

namespace {

// The completion status the window left in the settings file; Running when there is none to
// read (a window killed before it wrote one).
Completion WindowEnd() {
    RecordSet records;
    std::string unreadable;
    if (LoadPlotSettings(&records, &unreadable) != SettingsState::Loaded)
        return Completion::Running;
    return static_cast<Completion>(*records.refCon);
}

}  // namespace

std::optional<int> SetUpBeforePlotting(const QString& missing, const QString& file) {
    const std::string config = FindProgram(QCoreApplication::applicationDirPath().toStdString(),
                                           "TRZNSerConfig", "config");
    QProcess window;
    window.setProgram(QString::fromStdString(config));
    window.setArguments({QStringLiteral("--for-plot"), file});
    window.setStandardInputFile(QProcess::nullDevice());
    window.setStandardOutputFile(QProcess::nullDevice());
    window.setStandardErrorFile(QProcess::nullDevice());
    if (!config.empty()) window.start();
    if (config.empty() || !window.waitForStarted()) {
        return Fail(PlotOutcome::Unconfigured,
                    missing + TPlotWords::tr("; TRZNSerConfig could not be started"));
    }
    // The window says why it opened; a dialog in front of it would only hide it.
    Say(TPlotWords::tr("%1; opening it now").arg(missing));
    window.waitForFinished(-1);
    if (WindowEnd() == Completion::Done) return std::nullopt;
    Say(TPlotWords::tr("Trazen Plotter Settings was closed without OK: %1 was not plotted")
            .arg(file));
    return static_cast<int>(PlotOutcome::Unconfigured);
}
