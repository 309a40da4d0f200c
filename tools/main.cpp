// trzn-plot: plots an HP-GL file or a drawing through TRZNSerSend with the destination
// configured in TRZNSerConfig, or converts a drawing into a plot to keep. A drawing cut along
// the roll is sent panel after panel, each as a plot of its own. Exit status: 0
// delivered (or written), 1 stopped or failed in the sender, 2 bad input, 3 another plot is
// being sent (with --no-wait), 4 no product folder (or the plot to keep can't be written), 5 no
// sender (or no display to start it on), 6 no destination set up yet (or no paper chosen).

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/translation.h"
#include "plotjob/plot_notes.h"
#include "settings/default_setup.h"
#include "settings/store.h"
#include "settings/utility.h"
#include "tools/drawing_job.h"
#include "tools/first_setup.h"
#include "tools/help_text.h"
#include "tools/hpgl_commands.h"
#include "tools/input_kind.h"
#include "tools/plot_checks.h"
#include "tools/plot_job.h"
#include "tools/plot_outcome.h"
#include "tools/plot_parts.h"
#include "tools/plot_question.h"
#include "tools/plot_tr.h"
#include "tools/plot_words.h"
#include "tools/raw_argument.h"
#include "tools/reading_child.h"
#include "tools/send_plots.h"
#include "tools/settings_state.h"
#include "tools/temp_folder.h"

namespace {

// The paper the records choose, as the paper list names it, with its size.
QString ChosenPaper(const RecordSet& records) {
    const TPrConfig& config = *records.config;
    const TPrPaper& papers = *records.paper;
    const Rect& paper = records.print->rPaper;
    const auto mm = [](int points) { return qRound(points * 25.4 / 72.0); };
    QString name;
    if (config.papersct >= 0 && config.papersct < papers.pitem_count) {
        const TPrPaperItem& item = papers.pitem[config.papersct];
        name = SjisToQString(FieldText(item.pname).c_str());
    }
    return TPlotWords::tr("%1 (%2 x %3 mm)")
        .arg(name)
        .arg(mm(paper.right - paper.left))
        .arg(mm(paper.bottom - paper.top));
}

// False for a paper of no size (0 x 0, a fresh window's "user defined" paper before the default
// setup) that leaves no printable page: no margin can be blamed for the missing area then. A file
// that gives the page but not the paper (written by other hands) still plots on its page.
bool PaperChosen(const TPrint& print) {
    const Rect& page = print.prInfo.rPage;
    if (page.right - page.left > 0 && page.bottom - page.top > 0) return true;
    return print.rPaper.right - print.rPaper.left > 0 && print.rPaper.bottom - print.rPaper.top > 0;
}

// The bytes given after --output: a name that isn't UTF-8 does not survive Qt's decoding.
std::string RawOptionValue(const std::vector<std::string>& rawArgs, const std::string& option,
                           const QString& decoded) {
    for (size_t i = rawArgs.size(); i-- > 1;) {
        if (rawArgs[i - 1] == option) return rawArgs[i];
    }
    return decoded.toLocal8Bit().toStdString();
}

// Without a settings file, or with the default setup a first start left there, the sender
// would have no destination to send to: the destination is chosen first, in the
// configuration window. `why` says which of the two it is.
QString NotSetUp(const QString& why) {
    return TPlotWords::tr(
               "the plotter is not set up yet (%1): choose where plots go in "
               "Trazen Plotter Settings (TRZNSerConfig), then plot again")
        .arg(why);
}

// What the command line asks for, read and checked.
struct CommandLine {
    std::string file;  // as given (bytes)
    std::string brc;   // --brc, empty when not given
    bool brcSet = false;
    bool wait = true;                     // wait for a plot being sent (not --no-wait, not --gui)
    bool keep = false;                    // --output
    std::string output;                   // --output's file (bytes), "-" for the standard output
    std::vector<std::string> senderArgs;  // --queue NAME for the sender
    std::optional<bool> everyOutline;     // --outlines every or shown; else the window's choice
    SheetChoice sheet;                    // --layout NAME, --model
};

// What of a DXF is plotted.
struct SheetOptions {
    QCommandLineOption layout{"layout",
                              TPlotWords::tr("Plot the DXF drawing's layout NAME alone (a DXF "
                                             "whose layouts hold anything plots them as its "
                                             "pages)."),
                              "name"};
    QCommandLineOption model{
        "model", TPlotWords::tr("Plot the DXF drawing's model space instead of its layouts.")};
};

// --layout and --model into line->sheet; an exit status when they are given wrong.
std::optional<int> ReadSheetOptions(const QCommandLineParser& parser, const SheetOptions& options,
                                    CommandLine* line) {
    const QCommandLineOption& layout = options.layout;
    const QCommandLineOption& model = options.model;
    if (parser.isSet(layout) && parser.isSet(model))
        return Fail(PlotOutcome::BadInput,
                    TPlotWords::tr("--layout and --model each choose what of a DXF is plotted: "
                                   "give one of them"));
    if (parser.isSet(model)) line->sheet.space = SheetChoice::Space::model;
    if (parser.isSet(layout)) {
        if (parser.value(layout).isEmpty())
            return Fail(PlotOutcome::BadInput, TPlotWords::tr("give the name of a layout"));
        line->sheet.space = SheetChoice::Space::layout;
        line->sheet.layout = parser.value(layout).toStdString();
    }
    return std::nullopt;
}

// A window is needed only to show a message when started from the file manager, and can be
// shown only where there is a display.
std::unique_ptr<QCoreApplication> StartApplication(int& argc, char** argv) {
    bool gui = false;
    for (int i = 1; i < argc; ++i) gui = gui || QByteArray(argv[i]) == "--gui";
    SetShowsWindows(gui && HasDisplay());
    if (ShowsWindows()) return std::make_unique<QApplication>(argc, argv);
    // A drawing's text is plotted from its font's outlines, which only a GUI application can
    // read; without --gui there is no window to show, and maybe no display: the offscreen
    // platform does. The sender is handed the session's own platform.
    const bool chosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    if (chosen)
        qputenv("QT_QPA_PLATFORM", platform);
    else
        qunsetenv("QT_QPA_PLATFORM");
    return app;
}

QCommandLineOption OutlinesOption() {
    return QCommandLineOption(
        "outlines",
        TPlotWords::tr("Which outlines a drawing plots: shown (what the drawing shows: lines "
                       "hidden under an opaque shape, and white shapes, left out) or every "
                       "(every shape's outline whole, white ones too, as for layered vinyl); "
                       "without it, as chosen in TRZNSerConfig."),
        "shown|every");
}

// --outlines into *line; an exit status when it names neither choice.
std::optional<int> ReadOutlines(const QCommandLineParser& parser, const QCommandLineOption& option,
                                CommandLine* line) {
    if (!parser.isSet(option)) return std::nullopt;
    const QString outlines = parser.value(option);
    if (outlines != u"shown" && outlines != u"every")
        return Fail(PlotOutcome::BadInput,
                    TPlotWords::tr("--outlines takes shown or every, not \"%1\"").arg(outlines));
    line->everyOutline = outlines == u"every";
    return std::nullopt;
}

// The command line into *line; an exit status when it is wrong, or when the help was asked for
// (and shown).
std::optional<int> ReadCommandLine(const std::vector<std::string>& rawArgs, CommandLine* line) {
    QCommandLineParser parser;
    parser.setApplicationDescription(TPlotWords::tr(
        "Plots an HP-GL file or a drawing (SVG or SVGZ, PDF, Illustrator, EPS or PostScript, "
        "DXF as text) with the destination set in TRZNSerConfig, through TRZNSerSend. A "
        "drawing is laid on the printable area of the configured page with the configured "
        "pens.\n"
        "A drawing is read by a process of its own, stopped beyond 2 GB of memory or 300 s "
        "(TRZN_READ_MEMORY_MB and TRZN_READ_SECONDS set other limits).\n"
        "Exit status: 0 delivered (or written with --output), 1 stopped or failed in the "
        "sender, 2 a file that can't be plotted or a bad command line, 3 another plot is being "
        "sent (--no-wait), 4 the product folder (or the --output file) can't be written, 5 "
        "TRZNSerSend can't be found or started, 6 the destination was never set up, no paper is "
        "chosen for a drawing, or the settings file can't be read."));
    parser.addHelpOption();
    parser.addPositionalArgument(
        "file", TPlotWords::tr("The HP-GL plot or drawing (SVG, SVGZ, PDF, Illustrator, EPS, "
                               "PostScript, DXF) to plot; told by its content."));
    QCommandLineOption brcOption(
        "brc",
        TPlotWords::tr("Input window x1,y1,x2,y2 for an HP-GL plot (a drawing's comes from "
                       "the page)."),
        "window");
    QCommandLineOption noWaitOption(
        "no-wait", TPlotWords::tr("Refuse instead of waiting when a plot is being sent."));
    QCommandLineOption guiOption("gui",
                                 TPlotWords::tr("Show problems in a window (file managers)."));
    QCommandLineOption queueOption(
        "queue",
        TPlotWords::tr("Send this plot to the CUPS printer queue NAME; the settings stay."),
        "name");
    QCommandLineOption outputOption(
        "output",
        TPlotWords::tr("Convert the drawing into an HP-GL plot in FILE (- for the standard output) "
                       "instead of plotting it; plot that file later with trzn-plot."),
        "file");
    const QCommandLineOption outlinesOption = OutlinesOption();
    const SheetOptions sheetOptions;
    parser.addOptions({brcOption, noWaitOption, guiOption, queueOption, outputOption,
                       outlinesOption, sheetOptions.layout, sheetOptions.model});
    // Not process(): it ends the program with 1, which says "failed in the sender".
    if (!parser.parse(QCoreApplication::arguments())) {
        return Fail(PlotOutcome::BadInput, parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(WrapHelp(parser.helpText(), 80).toLocal8Bit().constData(), stdout);
        return static_cast<int>(PlotOutcome::Delivered);
    }

    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        return Fail(PlotOutcome::BadInput, TPlotWords::tr("give exactly one file to plot"));
    }
    if (parser.isSet(queueOption) && parser.value(queueOption).isEmpty()) {
        return Fail(PlotOutcome::BadInput, TPlotWords::tr("give the name of a printer queue"));
    }
    line->keep = parser.isSet(outputOption);
    if (line->keep && (parser.value(outputOption).isEmpty() || parser.isSet(queueOption))) {
        return Fail(PlotOutcome::BadInput,
                    TPlotWords::tr("--output needs a file name (or -) and sends nothing, so it "
                                   "takes no --queue"));
    }
    if (auto wrong = ReadOutlines(parser, outlinesOption, line)) return wrong;
    if (auto wrong = ReadSheetOptions(parser, sheetOptions, line)) return wrong;
    line->brc = parser.value(brcOption).toStdString();
    line->brcSet = parser.isSet(brcOption);
    if (line->brcSet) {
        if (auto problem = CheckInputWindow(line->brc)) {
            return Fail(PlotOutcome::BadInput, QString::fromStdString(*problem));
        }
    }
    line->file = RawArgument(rawArgs, files.front().toStdString(),
                             {"--brc", "--queue", "--output", "--outlines", "--layout"});
    if (line->keep) line->output = RawOptionValue(rawArgs, "--output", parser.value(outputOption));
    line->wait = !parser.isSet(noWaitOption) && !ShowsWindows();
    if (parser.isSet(queueOption))
        line->senderArgs = {"--queue", parser.value(queueOption).toStdString()};
    return std::nullopt;
}

// The settings into *records; an exit status when there are none to plot with. From the file
// manager the window opens instead, and the plot goes on once it has stored a destination.
std::optional<int> LoadRecords(bool keep, const QString& file, RecordSet* records) {
    const QString settings = QString::fromStdString(SettingsFilePath(nullptr));
    for (bool asked = false;; asked = true) {
        std::string unreadable;
        const SettingsState state = LoadPlotSettings(records, &unreadable);
        if (state == SettingsState::Unreadable) {
            return Fail(PlotOutcome::Unconfigured,
                        TPlotWords::tr("the settings file %1 can't be read (%2): the "
                                       "destination is not known")
                            .arg(settings, QString::fromLocal8Bit(unreadable.c_str())));
        }
        if (keep) {
            if (state == SettingsState::Loaded) return std::nullopt;
            DefaultSetup(records);
            Say(TPlotWords::tr("note: nothing is set up in TRZNSerConfig yet: converted for the "
                               "default setup's paper, %1")
                    .arg(ChosenPaper(*records)));
            return std::nullopt;
        }
        if (state == SettingsState::Loaded && DestinationChosen(*records->serial))
            return std::nullopt;
        const QString missing =
            NotSetUp(state == SettingsState::Missing
                         ? TPlotWords::tr("there is no %1").arg(settings)
                         : TPlotWords::tr("no destination is chosen in %1").arg(settings));
        // Once the window has been and stored no destination, asking again would loop.
        if (asked || !ShowsWindows()) return Fail(PlotOutcome::Unconfigured, missing);
        if (auto end = SetUpBeforePlotting(missing, file)) return end;
    }
}

// --output: each plot written to its file.
int KeepPlots(const std::vector<PlotPart>& parts, const std::string& output) {
    if (output == "-" && parts.size() > 1) {
        if (parts.front().page)
            return Fail(PlotOutcome::BadInput,
                        TPlotWords::tr("the page range selects %1 pages of the document, and "
                                       "the standard output takes one plot: give a file name "
                                       "(each page goes to NAME-1.plt, NAME-2.plt, ...), or "
                                       "choose one page with First page and Last page in "
                                       "TRZNSerConfig")
                            .arg(parts.size()));
        return Fail(PlotOutcome::BadInput,
                    TPlotWords::tr("the drawing is cut into %1 panels along the roll, and the "
                                   "standard output takes one plot: give a file name (each "
                                   "panel goes to NAME-1.plt, NAME-2.plt, ...), or choose one "
                                   "panel with First page and Last page in TRZNSerConfig")
                        .arg(parts.front().count));
    }
    std::string error;
    for (const PlotPart& part : parts) {
        const std::string name = KeptPlotName(output, part, parts.size());
        if (auto failure = WriteKeptPlot(part, name, &error)) {
            return Fail(*failure, QString::fromLocal8Bit(error.c_str()));
        }
        if (part.count > 1)
            Say(TPlotWords::tr("%1 written to %2")
                    .arg(NoteWords(PartLabel(part)), QString::fromLocal8Bit(name)));
    }
    return static_cast<int>(PlotOutcome::Delivered);
}

// Why the options given can't be used with this kind of input, as the exit status, or nothing.
std::optional<int> RefuseKind(InputKind kind, const std::string& what, const CommandLine& line,
                              const QString& shownFile) {
    const bool drawing = kind != InputKind::HpGl;
    if (kind == InputKind::Other) {
        return Fail(
            PlotOutcome::BadInput,
            (what.empty() ? TPlotWords::tr("%1 is neither a drawing (SVG, PDF, Illustrator, "
                                           "EPS, DXF) nor an HP-GL plot")
                          : TPlotWords::tr("%1 is %2, neither a drawing (SVG, PDF, "
                                           "Illustrator, EPS, DXF) nor an HP-GL plot")
                                .arg("%1", QString::fromStdString(what)))
                .arg(shownFile));
    }
    if (drawing && line.brcSet) {
        return Fail(PlotOutcome::BadInput,
                    TPlotWords::tr("--brc is for HP-GL plots: a drawing's input window is the "
                                   "printable area of the configured page"));
    }
    if (!drawing && line.everyOutline) {
        return Fail(PlotOutcome::BadInput,
                    TPlotWords::tr("%1 is an HP-GL plot: --outlines chooses a drawing's lines, "
                                   "and an HP-GL plot is sent as it is")
                        .arg(shownFile));
    }
    if (kind != InputKind::Dxf && line.sheet.space != SheetChoice::Space::sheets) {
        return Fail(
            PlotOutcome::BadInput,
            TPlotWords::tr("--layout and --model are for DXF drawings: %1 is none").arg(shownFile));
    }
    if (!drawing && line.keep) {
        return Fail(PlotOutcome::BadInput,
                    TPlotWords::tr("%1 is an HP-GL plot already: --output converts drawings")
                        .arg(shownFile));
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    // trzn-plot started again by itself to read a drawing (reading_child.h), never by a user.
    if (argc > 1 && std::strcmp(argv[1], kReadDrawingOption) == 0)
        return ReadingProcessMain(argc, argv);
    // Qt decodes the arguments as UTF-8 and may take some away; file names are bytes.
    const std::vector<std::string> rawArgs(argv, argv + argc);
    const std::unique_ptr<QCoreApplication> app = StartApplication(argc, argv);
    QCoreApplication::setApplicationName("trzn-plot");
    InstallTranslations(*app);
    // A run killed outright (SIGKILL, a power cut) leaves its temporary folder, maybe with a
    // copy of the drawing; it goes at the next start.
    RemoveStaleTempFolders(QDir::tempPath().toStdString());

    CommandLine line;
    if (auto wrong = ReadCommandLine(rawArgs, &line)) return *wrong;
    const std::string& file = line.file;
    if (auto problem = CheckPlotFile(file)) {
        return Fail(PlotOutcome::BadInput, QString::fromLocal8Bit(problem->c_str()));
    }
    std::string what;
    const InputKind kind = SniffInput(ReadHead(file), &what);
    const QString shownFile = QString::fromLocal8Bit(file.c_str());
    if (auto wrong = RefuseKind(kind, what, line, shownFile)) return *wrong;
    const bool drawing = kind != InputKind::HpGl;
    const std::string folder = ProductFolder();
    if (folder.empty()) {
        return Fail(PlotOutcome::NoFolder, TPlotWords::tr("the Documents folder can't be found"));
    }
    RecordSet records;
    if (auto none = LoadRecords(line.keep, shownFile, &records)) return *none;
    // A drawing is laid on the paper; a plot of HP-GL brings its own coordinates.
    if (drawing && !PaperChosen(*records.print)) {
        return Fail(PlotOutcome::Unconfigured,
                    TPlotWords::tr("no paper is chosen in %1: choose a paper in Trazen Plotter "
                                   "Settings (TRZNSerConfig), then plot again")
                        .arg(QString::fromStdString(SettingsFilePath(nullptr))));
    }

    // A drawing is converted whole before anything is sent or kept: one that can't be plotted
    // leaves no trace, and never waits for another plot to say so.
    std::optional<ConvertedDrawing> converted;
    if (drawing) {
        converted = ConvertedDrawing::Convert(file, records, line.everyOutline, line.sheet);
        if (auto failure = converted->failure()) {
            return Fail(*failure, shownFile + ": " + NoteWords(converted->result().message));
        }
        SayRemarks(line.keep ? KeptRemarks(converted->remarks()) : converted->remarks());
    }
    std::optional<CommandedHpgl> hpgl;
    if (!drawing) hpgl = CommandedHpgl::Make(file, DecodeOutputSetup(*records.serial));
    if (hpgl && hpgl->failure()) return Fail(*hpgl->failure(), NoteWords(hpgl->problem()));
    const std::vector<PlotPart> parts =
        drawing ? converted->parts()
                : std::vector<PlotPart>{
                      PlotPart{hpgl->body(), InputWindowHeader(line.brc), line.brc, 1, 1}};
    if (line.keep) return KeepPlots(parts, line.output);
    // Asked from the desktop only: a command line's page range is meant as it stands.
    const PlotSettings shown = DecodePlotSettings(*records.print, *records.config);
    const std::vector<PlotPart> chosen =
        ShowsWindows()
            ? ChosenParts(parts, AskManyPlots(parts, shownFile, shown.firstPage, shown.lastPage))
            : parts;
    if (chosen.empty()) {
        Say(TPlotWords::tr("cancelled: %1 was not plotted").arg(shownFile));
        return static_cast<int>(PlotOutcome::SenderFailed);
    }
    return SendPlots(chosen, {line.senderArgs, line.wait, line.file}, folder);
}
