#pragma once
// The main menu: each entry's command id and the language string of its text.
// A popup's text id is its own; its entries follow it until the popup ends.
#include <initializer_list>

struct MenuEntry {
  enum Kind { Popup, Command, Separator, End };
  Kind kind;
  int command;  // 0 for popups and separators
  int textId;
};

namespace MenuIds {
inline constexpr int kOpenServiceReport = 32771;
inline constexpr int kExit = 32772;
inline constexpr int kNewConfig = 32773;
inline constexpr int kIpAddress = 32779;
inline constexpr int kEdit = 32781;
inline constexpr int kActivate = 32782;
inline constexpr int kGroupMaster = 32783;
inline constexpr int kRename = 32784;
inline constexpr int kDelete = 32786;
inline constexpr int kUpload = 32787;
inline constexpr int kDownload = 32788;
inline constexpr int kInfo = 32789;
inline constexpr int kCaptureMaster = 32794;
inline constexpr int kLockSensor = 32799;
inline constexpr int kLogin = 32800;
inline constexpr int kColour = 32826;
inline constexpr int kAbout = 32830;
inline constexpr int kCut = 32849;
inline constexpr int kCopy = 32850;
inline constexpr int kPaste = 32851;
inline constexpr int kConnect = 1015;
inline constexpr int kUpdate = 57610;
inline constexpr int kHelp = 57670;
inline constexpr int kLanguageBase = 64000;  // + language id
// Texts that change with the state.
inline constexpr int kConnectText = 310;
inline constexpr int kDisconnectText = 520;
inline constexpr int kLockText = 420;
inline constexpr int kUnlockText = 530;
inline constexpr int kLoginText = 425;
inline constexpr int kLogoutText = 540;
inline constexpr int kLanguagePopupText = 410;
}  // namespace MenuIds

inline constexpr MenuEntry kMainMenu[] = {
    {MenuEntry::Popup, 0, 100},  // &File
    {MenuEntry::Command, MenuIds::kOpenServiceReport, 110},
    {MenuEntry::Command, MenuIds::kUpdate, 120},
    {MenuEntry::Separator, 0, 130},
    {MenuEntry::Command, MenuIds::kExit, 140},
    {MenuEntry::End, 0, 0},
    {MenuEntry::Popup, 0, 200},  // C&onfigurations
    {MenuEntry::Command, MenuIds::kNewConfig, 210},
    {MenuEntry::Command, MenuIds::kActivate, 220},
    {MenuEntry::Command, MenuIds::kEdit, 230},
    {MenuEntry::Command, MenuIds::kGroupMaster, 240},
    {MenuEntry::Command, MenuIds::kCaptureMaster, 250},
    {MenuEntry::Separator, 0, 0},
    {MenuEntry::Command, MenuIds::kUpload, 270},
    {MenuEntry::Command, MenuIds::kDownload, 280},
    {MenuEntry::Separator, 0, 0},
    {MenuEntry::Command, MenuIds::kCut, 2010},
    {MenuEntry::Command, MenuIds::kCopy, 2020},
    {MenuEntry::Command, MenuIds::kPaste, 2030},
    {MenuEntry::Command, MenuIds::kDelete, 2040},
    {MenuEntry::Separator, 0, 0},
    {MenuEntry::Command, MenuIds::kRename, 2060},
    {MenuEntry::Command, MenuIds::kInfo, 2070},
    {MenuEntry::End, 0, 0},
    {MenuEntry::Popup, 0, 300},  // &Connections
    {MenuEntry::Command, MenuIds::kIpAddress, 320},
    {MenuEntry::Command, MenuIds::kConnect, MenuIds::kConnectText},
    {MenuEntry::End, 0, 0},
    {MenuEntry::Popup, 0, 400},  // &Settings (the language popup goes first)
    {MenuEntry::Command, MenuIds::kColour, 430},
    {MenuEntry::Popup, 0, 440},  // Password Protection
    {MenuEntry::Command, MenuIds::kLockSensor, MenuIds::kLockText},
    {MenuEntry::Command, MenuIds::kLogin, MenuIds::kLoginText},
    {MenuEntry::End, 0, 0},
    {MenuEntry::End, 0, 0},
    {MenuEntry::Popup, 0, 500},  // &Help
    {MenuEntry::Command, MenuIds::kHelp, 510},
    {MenuEntry::Separator, 0, 0},
    {MenuEntry::Command, MenuIds::kAbout, 550},
    {MenuEntry::End, 0, 0},
};
