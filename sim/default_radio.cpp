#include "radio_engine.h"

#include "model/startup_image.h"
#include "model/used_channel.h"

namespace zem::sim {
namespace {

MemoryChannel Channel(const char* rx, const char* offset, char shift, const char* name) {
    MemoryChannel ch = UsedChannel(rx, name, offset);
    ch.Shift = shift;
    return ch;
}

} // namespace

RadioState DefaultRadio() {
    RadioState radio;
    radio.image = StartupImage();
    auto& rows = radio.image.Channels;
    rows[0] = Channel("00145000000", "000000000", '0', "CALL");
    rows[1] = Channel("00433000000", "000000000", '0', "UHF CALL");
    rows[2] = Channel("00439000000", "005000000", '2', "RPT");
    rows[2].ToneOn = '1';
    rows[2].ToneCode = "13";
    // A split channel, and a name in CP932 ("テスト") to exercise double-byte handling.
    rows[5] = Channel("00145500000", "", '0', "\x83\x65\x83\x58\x83\x67");
    rows[5].TxFreq = "00435500000";
    rows[10] = Channel("00118100000", "000000000", '0', "AIR");
    rows[10].Mode = '1';
    rows[LowerScanRow(0)] = Channel("00144000000", "000000000", '0', "2M LO");
    rows[UpperScanRow(0)] = Channel("00146000000", "000000000", '0', "2M HI");

    radio.image.Settings.Dtmf[0] = {"0123456789", "HOME"};
    radio.image.Settings.Dtmf[1] = {"*#ABCD", "TEST"};

    radio.bands[0] = {145'000'000, '5'};
    radio.bands[1] = {433'000'000, '5'};
    return radio;
}

} // namespace zem::sim
