// Fuzzes the way back of a parameter list: whatever body the sensor sends,
// the list laid over a template keeps the template's shape and can be sent
// again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "parameter_wire.h"
#include "xml_config_reader.h"
#include "xmlrpc/XmlRpcClient.h"

namespace {

// Sections inside sections and every value type, as the templates have them.
constexpr std::string_view kTemplate = R"(<Record>
  <Name type="STRING">n</Name>
  <Outer>
    <Count type="INT">3</Count>
    <Inner><Ratio type="DOUBLE">1.5</Ratio><Text type="STRING"></Text></Inner>
    <Flag type="INT">0</Flag>
  </Outer>
  <Tail type="DOUBLE">2.0</Tail>
</Record>)";

const ParameterList& templateItems() {
    static const ParameterList items = [] {
        ParameterList list;
        if (dravik::CXmlConfigReader().Read(kTemplate, list) != 0) __builtin_trap();
        return list;
    }();
    return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XmlRpc::XmlRpcValue reply;
    bool fault = false;
    if (!XmlRpc::XmlRpcClient::parseResponseText(std::string_view(reinterpret_cast<const char*>(data), size),
                                                 reply, fault))
        return 0;
    const ParameterList& items = templateItems();
    ParameterList list;
    dravik::FillListFromReply(list, items, reply, 1);
    if (list.size() != items.size() - 1) __builtin_trap();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].kind != items[i].kind || list[i].type != items[i].type) __builtin_trap();
    XmlRpc::XmlRpcValue params;
    if (dravik::MarshalParameterList(list, dravik::SectionForm::Markers, params) != 0) __builtin_trap();
    if (params.size() != static_cast<int>(list.size())) __builtin_trap();
    return 0;
}
