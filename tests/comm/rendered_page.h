// The page xsltproc makes of a service report, for tests that look at what
// a browser would show.
#pragma once

#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_helpers.h"

namespace vt::test {

// The page xsltproc makes of the report, read with libxml2's HTML parser.
class RenderedPage {
public:
    explicit RenderedPage(const std::filesystem::path& folder) {
        html_ = runCommand("xsltproc '" + (folder / "Report.xsl").string() + "' '" +
                           (folder / "Report.xml").string() + "' 2>/dev/null");
        doc_ = htmlReadMemory(html_.data(), static_cast<int>(html_.size()), "page.html", "UTF-8",
                              HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING);
    }
    ~RenderedPage() { xmlFreeDoc(doc_); }
    RenderedPage(const RenderedPage&) = delete;
    RenderedPage& operator=(const RenderedPage&) = delete;

    bool ok() const { return doc_ != nullptr && !html_.empty(); }

    // Texts of every node the XPath expression selects, in document order.
    std::vector<std::string> texts(const std::string& path) const {
        std::vector<std::string> out;
        xmlXPathContextPtr context = xmlXPathNewContext(doc_);
        xmlXPathObjectPtr found =
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(path.c_str()), context);
        if (found != nullptr && found->nodesetval != nullptr) {
            for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
                xmlChar* text = xmlNodeGetContent(found->nodesetval->nodeTab[i]);
                out.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text) : "");
                xmlFree(text);
            }
        }
        xmlXPathFreeObject(found);
        xmlXPathFreeContext(context);
        return out;
    }
    std::string text(const std::string& path) const {
        const auto all = texts(path);
        return all.size() == 1 ? all.front() : "<" + std::to_string(all.size()) + " nodes>";
    }

private:
    std::string html_;
    xmlDocPtr doc_ = nullptr;
};

}  // namespace vt::test
