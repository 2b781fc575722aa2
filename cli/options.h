#pragma once

#include <QCommandLineOption>
#include <QStringList>

// The options of the commands, each defined once: a command's row in the table lists those it
// takes, and its run reads them back through the same objects.
namespace cli {

// An option as a command's --help lists it, and whether the usage line shows it as needed. Each
// command still checks its own options, in the order its messages need. The variants of one
// option (the -o, --into and --only of different commands) share their names and differ in their
// help only, so any of them reads the value back.
// Its description is in English (see Help); the parser is given a copy in the user's language.
struct Option : QCommandLineOption {
    bool required = false;
};

// The blocks of the radio image --only names, in the order the transfers move them.
extern const QStringList kBlockNames;

// The radio: --port PORT, --timeout MS, --fast.
extern const Option kPortOption;
extern const Option kTimeoutOption;
extern const Option kFastOption;
// doctor's --port: optional, every serial device present without it.
extern const Option kDoctorPortOption;

// -o OUT.zem, or -o OUT.csv for the channel layout.
extern const Option kOutputOption;
extern const Option kCsvOutputOption;
extern const Option kPdfOutputOption;

// --into BASE.zem, the image to start from; read takes only the memos from it.
extern const Option kBaseOption;
extern const Option kMemoBaseOption;

// --only LIST, in the words of the command that takes it.
extern const Option kReadBlocksOption;
extern const Option kWriteBlocksOption;
extern const Option kCompareBlocksOption;

extern const Option kNewOption;
extern const Option kNoMemoOption;
extern const Option kVerifyOption;
extern const Option kChangedOption;
extern const Option kDryRunOption;
extern const Option kForceOption;
extern const Option kNoBackupOption;
extern const Option kRadioBaseOption;

// The sweep: --lower MHZ, --upper MHZ, --step CODE, --passes N, --store FILE.
extern const Option kLowerOption;
extern const Option kUpperOption;
extern const Option kStepOption;
extern const Option kPassesOption;
extern const Option kStoreOption;

// The fields set changes: --channels LIST, --step KHZ, --shift, --offset MHZ, --reverse, --tone,
// --ctcss, --mode, --lockout.
extern const Option kChannelsOption;
extern const Option kStepKhzOption;
extern const Option kShiftOption;
extern const Option kOffsetOption;
extern const Option kReverseOption;
extern const Option kToneOption;
extern const Option kCtcssOption;
extern const Option kModeOption;
extern const Option kLockoutOption;

} // namespace cli
