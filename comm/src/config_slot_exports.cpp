// The configuration slots: create, edit, rename, copy, move, delete,
// activate, group master, and the end of an edit.
#include "command_frame.h"
#include "dravik/sensor_commands.h"

using namespace dravik;

namespace {

int slotCommand(const char* method, std::initializer_list<CommandParam> params) {
    return guarded([&] { return sendCommand(method, commandParams(params), kNoLimit, StatusPattern::A); });
}

}  // namespace

int CreateConfig(int index, const char* name, int group) {
    return slotCommand("xmlCreateConfig", {index, name, group});
}

int EditConfig(int index, const char* name, int group) {
    return slotCommand("xmlEditConfig", {index, name, group});
}

int DeleteConfig(int index, const char* name, int group) {
    return slotCommand("xmlDeleteConfig", {index, name, group});
}

int RenameConfig(int index, const char* name, int group, int targetIndex, const char* newName) {
    return slotCommand("xmlRenameConfig", {index, name, group, targetIndex, newName});
}

int ActivateConfig(int index, const char* name, int group) {
    return slotCommand("xmlActivateConfig", {index, name, group});
}

int ActivateGroup(int group) {
    return slotCommand("xmlActivateGroup", {group});
}

int SetAsGroupMaster(int index, const char* name, int group, int masterType) {
    return slotCommand("xmlSetAsGroupMaster", {index, name, group, masterType});
}

int CopyConfig(int index, const char* name, int group, int targetIndex, const char* targetName,
               int targetGroup) {
    return slotCommand("xmlCopyConfig", {index, name, group, targetIndex, targetName, targetGroup});
}

int MoveConfig(int index, const char* name, int group, int targetIndex, const char* targetName,
               int targetGroup) {
    return slotCommand("xmlMoveConfig", {index, name, group, targetIndex, targetName, targetGroup});
}

int CloseAndSave(void) {
    return slotCommand("xmlCloseAndSave", {});
}

int CloseAndDiscard(void) {
    return slotCommand("xmlCloseAndDiscard", {});
}
