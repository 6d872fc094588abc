#include "xml_config_reader.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <charconv>
#include <climits>
#include <memory>
#include <mutex>
#include <string>

namespace dravik {
namespace {

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct XmlCharFree {
    void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlText = std::unique_ptr<xmlChar, XmlCharFree>;

void initXmlOnce() {
    // The parser's global tables must be set up once before threads use it.
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

std::string textOf(const xmlNode* node) {
    XmlText content(xmlNodeGetContent(node));
    if (!content) return {};
    return reinterpret_cast<const char*>(content.get());
}

// Leading number of a default text, like atoi/atof but independent of the
// program's locale: leading blanks and a sign are allowed, anything after the
// number is ignored, no number at all gives 0.
std::string_view numberPart(const std::string& text) {
    std::string_view s(text);
    while (!s.empty() && (s.front() == ' ' || (s.front() >= '\t' && s.front() <= '\r'))) s.remove_prefix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    return s;
}

int32_t intDefault(const std::string& text) {
    auto s = numberPart(text);
    int32_t value = 0;
    if (std::from_chars(s.data(), s.data() + s.size(), value).ec != std::errc{}) return 0;
    return value;
}

double doubleDefault(const std::string& text) {
    auto s = numberPart(text);
    double value = 0.0;
    if (std::from_chars(s.data(), s.data() + s.size(), value).ec != std::errc{}) return 0.0;
    return value;
}

ParameterItem marker(std::string name, int32_t kind) {
    ParameterItem item;
    item.name = std::move(name);
    item.kind = kind;
    item.type = "STRING";
    return item;
}

ParameterItem valueItem(const xmlNode* element) {
    ParameterItem item;
    item.name = reinterpret_cast<const char*>(element->name);
    item.kind = PARAMETER_VALUE;
    item.type = textOf(reinterpret_cast<const xmlNode*>(element->properties));
    const std::string content = textOf(element);
    if (item.type == "STRING")
        item.stringValue = content;
    else if (item.type == "INT")
        item.intValue = intDefault(content);
    else if (item.type == "DOUBLE")
        item.doubleValue = doubleDefault(content);
    return item;
}

// Walks every sibling from `first` on; element nodes only, whatever lies
// between them. The parser bounds the nesting depth, so the recursion is bounded.
void readLevel(const xmlNode* first, ParameterList& items) {
    for (const xmlNode* node = first; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (node->properties != nullptr) {
            items.push_back(valueItem(node));
        } else {
            items.push_back(marker(reinterpret_cast<const char*>(node->name), PARAMETER_SECTION_BEGIN));
            readLevel(node->children, items);
        }
    }
    items.push_back(marker(kTemplateLevelEnd, PARAMETER_SECTION_END));
}

}  // namespace

int CXmlConfigReader::Read(std::string_view templateText, ParameterList& out) const {
    if (templateText.size() > static_cast<size_t>(INT_MAX)) return COMM_TEMPLATE_NOT_PARSED;
    initXmlOnce();
    // No network access and no messages on stderr; entities are not expanded.
    std::unique_ptr<xmlDoc, DocFree> doc(
        xmlReadMemory(templateText.data(), static_cast<int>(templateText.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc) return COMM_TEMPLATE_NOT_PARSED;
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (root == nullptr) return COMM_TEMPLATE_NOT_PARSED;

    ParameterList items;
    readLevel(root->children, items);
    out = std::move(items);
    return 0;
}

}  // namespace dravik
