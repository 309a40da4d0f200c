#include "config_support.h"

#include <cstdio>

#include "platform/ports.h"
#include "settings/geometry.h"
#include "settings/store.h"

RecordSet SampleRecords() {
    RecordSet r;
    ClearRecords(r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    TPrConfig& cf = *r.config;
    cf.cmargin = {10, 20, 30, 40};
    cf.rmargin = {5, 6, 7, 8};
    cf.pUnit = kUnitPoint;
    cf.unitmsct = kUnitPoint;
    cf.ktoolid = 1;
    cf.zftoolid = 1;
    cf.fautopen = 1;
    for (int i = 0; i < kPenCount; ++i) cf.toollist[i] = {static_cast<int16_t>(i + 1), 30, 0, 0, 0, 1};
    r.serial->average = 1;
    // Port 0 is the shared folder where the tests list no serial device: OK refuses it empty.
    std::snprintf(r.serial->shared_folder, sizeof r.serial->shared_folder, "/srv/trazen");
    r.serial->pdlmopt = 0x1E0200;
    mkDefault(r.print.get(), r.config.get(), r.paper.get());
    return r;
}

void WriteSettings(RecordSet& r, const char* presetName, const tPldStatRes* stat) {
    ASSERT_TRUE(SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                              r.refCon.get(), presetName, stat, PrintLines::Config));
}

RecordSet ReadSettings(std::string* presetName, tPldStatRes* stat) {
    RecordSet r;
    char name[kPresetNameSize] = {};
    tPldStatRes s = {};
    EXPECT_TRUE(GetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                              r.refCon.get(), name, &s));
    if (presetName) *presetName = name;
    if (stat) *stat = s;
    return r;
}

FakeDevices::FakeDevices(std::vector<std::string> devices) {
    SetSerialDeviceSource([devices] { return devices; });
}
FakeDevices::~FakeDevices() { SetSerialDeviceSource({}); }

FolderAnswer::FolderAnswer(std::optional<QString> answer) : answer_(std::move(answer)) {
    SetModalSeam(this);
}
FolderAnswer::~FolderAnswer() { SetModalSeam(nullptr); }

std::optional<QString> FolderAnswer::ChooseFolder(QWidget*, const QString& title) {
    askedTitle = title;
    return answer_;
}
