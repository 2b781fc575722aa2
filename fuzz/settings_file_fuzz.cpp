// The settings-file reader on any bytes: a file it accepts must survive being written and read
// again unchanged, and a file it refuses must leave the image as it was.
#include "model/settings_file.h"
#include "model/startup_image.h"
#include "property.h"

namespace zem::fuzz {
namespace {

void CheckSettingsFile(std::string_view bytes) {
    const RadioImage startup = StartupImage();
    RadioImage image = startup;
    if (!ParseSettingsFile(bytes, image).Read()) {
        Require(image == startup, "a refused file leaves the image untouched");
        return;
    }
    const std::string written = FormatSettingsFile(image);
    RadioImage again = startup;
    const SettingsFileRead read = ParseSettingsFile(written, again);
    // Only a MENU line whose commas can be shared out in several ways is worth a word.
    const std::string menuLine = FormatMenuLine(image.Settings);
    const MenuSharing sharing = ReadMenuLine(menuLine.substr(0, menuLine.size() - 2))->sharing;
    const std::size_t menuWarnings = sharing == MenuSharing::Ambiguous ? 1 : 0;
    Require(read.Read() && read.warnings.size() == menuWarnings, "a written file is accepted whole");
    Require(again == image, "a written file reads back as the image it was written from");
    Require(FormatSettingsFile(again) == written, "a read-back image writes the same bytes");
}

} // namespace
} // namespace zem::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zem::fuzz::CheckSettingsFile(zem::fuzz::AsText(data, size));
    return 0;
}
