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
    if (!ParseSettingsFile(bytes, image).recognised) {
        Require(image == startup, "a refused file leaves the image untouched");
        return;
    }
    const std::string written = FormatSettingsFile(image);
    RadioImage again = startup;
    const SettingsFileRead read = ParseSettingsFile(written, again);
    Require(read.recognised && read.warnings.empty(), "a written file is accepted whole");
    Require(again == image, "a written file reads back as the image it was written from");
    Require(FormatSettingsFile(again) == written, "a read-back image writes the same bytes");
}

} // namespace
} // namespace zem::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zem::fuzz::CheckSettingsFile(zem::fuzz::AsText(data, size));
    return 0;
}
