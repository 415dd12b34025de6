#pragma once
// A program folder with an Icons folder and a data folder on the simulated Windows, and the
// pack list reading it.
#include <string>
#include <vector>

#include "../fuzz/icon_pack_fakes.h"
#include "common/message_boxes.h"
#include "resources/icon_pack_list.h"
#include "resources/kv_lang.h"
#include "sim_platform.h"

namespace kv::test {

class IconPackFixture {
public:
    IconPackFixture() { os.files.CreateDirectoryTree(dataFolder); }

    void AddPack(const std::u16string& name, const std::string& bytes) { os.files.AddFile(PackPath(name), bytes); }
    std::u16string PackPath(const std::u16string& name) const { return iconFolder + name + u".pni"; }
    std::u16string CachePath() const { return dataFolder + u"Icons.tmp"; }

    std::vector<std::u16string> ErrorTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& box : os.desktop.MessageBoxes()) texts.push_back(box.text);
        return texts;
    }
    std::u16string NotAPackText(const std::u16string& name) const { return u"The file " + PackPath(name) + u" is not a valid icon pack."; }

    sim::SimPlatform os;
    TKvLang lang;
    KvMessageBoxes messages{os.desktop, lang};
    fuzz::FakeIconDecoder decoder;
    const std::u16string iconFolder = IconFolder(sim::SimPlatform::kAppFolder);
    const std::u16string dataFolder = u"C:\\Users\\test\\AppData\\Roaming\\OrlentaSoftware\\Karmux\\";
    IconPackEnvironment environment{os.files, decoder, lang, messages,
                                    [this](std::string_view text) { return os.desktop.FromAnsi(text); },
                                    iconFolder, dataFolder};
    TKvIconsList packs{environment};
};

}  // namespace kv::test
