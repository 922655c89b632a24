#include "FileVersion.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::string Block(std::initializer_list<std::pair<std::string, std::string>> Values) {
    std::string Text;
    for (const auto& [Name, Value] : Values)
        Text += Name + '\0' + Value + '\0';
    return Text + '\0';
}

const std::string Translation = "\\VarFileInfo\\Translation";
const std::string British = "\\StringFileInfo\\080904E4\\FileVersion";

TEST(FileVersion, TheTranslationSelectsTheFileVersion) {
    const std::pair<std::string, std::string> Cases[] = {
        {Block({{Translation, "04E40809"}, {British, "1.8.0.0"}}), "1.8"},
        {Block({{Translation, "04e40809"}, {British, "12.34.5.6"}}), "12.34"},
        {Block({{Translation, "04B00409"}, {British, "1.8.0.0"}}), ""}, // another language
        {Block({{British, "1.8.0.0"}}), ""},                            // no translation
        {Block({{Translation, "04E4080"}, {British, "1.8.0.0"}}), ""},  // seven digits
        {Block({{Translation, "04E4080X"}, {British, "1.8.0.0"}}), ""},
        {Block({{Translation, "04E40809"}, {British, "7"}}), "7"},
        {Block({{Translation, "04E40809"}, {British, ""}}), ""},
        {Block({{Translation, "04E40809"}}) + British + '\0' + "1.8", ""}, // cut short
        {"", ""},
    };
    for (const auto& [Text, Version] : Cases)
        EXPECT_EQ(FileVersionOfBlock(Text), Version) << Text;
}

TEST(FileVersion, FilesWithoutABlockHaveNoVersion) {
    TTempFolder Temp;
    const std::string Elf = "\x7f"
                            "ELF";
    for (const std::string& Path :
         {Temp.Write("text.exe", "not a program"),
          Temp.Write("header.exe", Elf + std::string(60, '\2')), Temp.Write("empty.exe", ""),
          Temp.Path("missing.exe"), Temp.Folder(), std::string("/proc/self/exe")}) {
        EXPECT_FALSE(ReadVersionBlock(Path)) << Path;
        EXPECT_EQ(GetFileVersionText(Path), "") << Path;
    }
}

} // namespace
