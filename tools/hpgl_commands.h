#pragma once
// An HP-GL file sent with the output tab's header and footer around it, as a drawing's plot
// body has them: a copy with them added, in a temporary folder of this run, or the file itself
// when there is nothing to add or it carries them already (a plot trzn-plot kept).

#include <memory>
#include <optional>
#include <string>

#include "plotjob/plot_note.h"
#include "settings/plot_settings.h"
#include "tools/plot_outcome.h"
#include "tools/temp_folder.h"

class CommandedHpgl {
public:
    // BadInput for a header or footer that can't be sent (the reason in *problem), NoFolder
    // when the copy can't be written.
    static CommandedHpgl Make(const std::string& file, const OutputSetup& output);

    std::optional<PlotOutcome> failure() const { return _failure; }
    const Note& problem() const { return _problem; }
    const std::string& body() const { return _body; }

private:
    std::string _body;
    std::optional<PlotOutcome> _failure;
    Note _problem;
    std::unique_ptr<TempFolder> _folder;
};
