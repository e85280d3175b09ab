#include "setup/wizard_folders.h"

namespace skyloom {

namespace {

bool continuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string withoutLast(std::string_view value, std::size_t count) {
    std::size_t end = value.size();
    for (; count > 0; --count) {
        if (end == 0) return {};
        --end;
        while (end > 0 && continuationByte(value[end])) --end;
    }
    return std::string(value.substr(0, end));
}

WizardFolders deriveWizardFolders(std::string_view tfcFlag, std::string_view maps,
                                  std::string_view tfcmaps, std::string_view program) {
    WizardFolders folders;
    folders.valve = withoutLast(maps, 4);
    if (tfcFlag == "true") folders.tfcdir = withoutLast(tfcmaps, 4);
    folders.dds = withoutLast(program, 6);
    return folders;
}

}  // namespace skyloom
