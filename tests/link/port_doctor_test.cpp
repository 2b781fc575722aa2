#include "link/access_advice.h"
#include "link/port_doctor.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

TEST(port_doctor_test, answers_to_id_are_told_apart) {
    using Kind = IdAnswer::Kind;
    struct Row {
        std::string raw;
        Kind kind;
        std::string shown;
    };
    const Row rows[] = {
        {"", Kind::Silent, ""},
        {"ID TH-D7\r", Kind::ThD7, "ID TH-D7"},
        {"ID\rID TH-D7\r", Kind::ThD7, "ID TH-D7"}, // an echo before the answer
        {"ID\r", Kind::Echo, ""},
        {"ID\r\nID\r\n", Kind::Echo, ""},
        {"ID TM-X\x1b]0;x\x07\r", Kind::OtherDevice, "ID TM-X\\x1B]0;x\\x07"},
        {"ID \x83\x65\x83\x58\x83\x67\r", Kind::OtherDevice, "ID テスト"}, // the radio's CP932
        {"?\r", Kind::PacketMode, "?"},
        {"ID\r?\r", Kind::PacketMode, "?"},
        {"N\r", Kind::NotAnAnswer, "N\\x0D"},
        {std::string("\xf8\x80\x00\x1c", 4), Kind::NotAnAnswer, "\\xF8\\x80\\x00\\x1C"},
        {std::string(40, '~'), Kind::NotAnAnswer, std::string(32, '~') + "…（40 バイト）"},
    };
    for (const Row& row : rows) {
        const IdAnswer answer = ClassifyIdAnswer(row.raw);
        EXPECT_EQ(answer.kind, row.kind) << row.raw;
        EXPECT_EQ(answer.shown, row.shown) << row.raw;
    }
}

// A group is advice only when it may read and write the device and is not root.
TEST(port_doctor_test, permission_advice) {
    const auto access = [](std::string path, mode_t mode, uid_t uid, std::string owner, gid_t gid, std::string group) {
        return DeviceAccess{.path = std::move(path),
                            .mode = mode,
                            .ownerUid = uid,
                            .owner = std::move(owner),
                            .gid = gid,
                            .group = std::move(group),
                            .user = "alice"};
    };
    const std::string udev =
        "/etc/udev/rules.d/70-th-d7.rules に次の 1 行を書いて sudo udevadm control --reload && "
        "sudo udevadm trigger を実行してください: KERNEL==\"ttyUSB0\", OWNER=\"alice\", MODE=\"0600\"";
    DeviceAccess member = access("/dev/ttyUSB0", 0660, 0, "root", 20, "dialout");
    member.memberOfGroup = true;
    const std::pair<DeviceAccess, std::string> rows[] = {
        {access("/dev/ttyUSB0", 0660, 0, "root", 20, "dialout"),
         "デバイスを読み書きできるグループ「dialout」にユーザーを加え（sudo usermod -aG dialout "
         "alice）、ログインし直して"
         "ください。"},
        {member,
         "ユーザー alice はグループ「dialout」に入っていますが、このログインにはまだ効いていません。ログインし直して"
         "ください（すぐ試すなら newgrp dialout）。"},
        {access("/dev/ttyUSB0", 0660, 0, "root", 0, "root"), udev},
        {access("/dev/ttyUSB0", 0640, 0, "root", 14, "uucp"), udev},
        {access("/dev/ttyUSB0", 0600, 1001, "bob", 0, "root"), "デバイスの持ち主「bob」として実行するか、" + udev},
        {access("/dev/pts/3", 0620, 1001, "bob", 5, "tty"), "疑似端末の持ち主「bob」として実行するか、sudo chown alice "
                                                            "/dev/pts/3 を実行してください（端末を作ったプログラムが"
                                                            "閉じるまで効きます）。"},
    };
    for (const auto& [facts, advice] : rows)
        EXPECT_EQ(AccessAdvice(facts), advice) << facts.path << " " << facts.group;
}

} // namespace
} // namespace zem
