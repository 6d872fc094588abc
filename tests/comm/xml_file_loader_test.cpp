#include "xml_file_loader.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"
#include "xml_config_reader.h"

namespace {

using dravik::CXmlFileLoader;

TEST(XmlFileLoader, ReadsTheFileOfTheIdUpToItsFirstZeroByte) {
    vt::test::TempDir lib;
    lib.write("1017.xml", std::string("<r/>\0trailing", 13));
    lib.write("1016.xsl", "sheet");
    std::string text;
    EXPECT_EQ(CXmlFileLoader().Load(lib.path(), 1017, text), 0);
    EXPECT_EQ(text, "<r/>");
    EXPECT_EQ(CXmlFileLoader().Load(lib.path(), 1016, text), 0) << "any extension";
    EXPECT_EQ(text, "sheet");
}

TEST(XmlFileLoader, MissingFolderOrFileGives60AndLeavesTheText) {
    vt::test::TempDir lib;
    lib.write("10170.xml", "<r/>");
    lib.write("x1017.xml", "<r/>");
    lib.write("1017", "<r/>");
    lib.write("Sub/1017.xml", "<r/>");
    std::string text = "before";
    EXPECT_EQ(CXmlFileLoader().Load(lib.path(), 1017, text), COMM_TEMPLATE_NOT_LOADED);
    EXPECT_EQ(CXmlFileLoader().Load(lib.path() / "Nothing", 1017, text), COMM_TEMPLATE_NOT_LOADED);
    EXPECT_EQ(CXmlFileLoader().Load({}, 1017, text), COMM_TEMPLATE_NOT_LOADED);
    EXPECT_EQ(text, "before");
}

TEST(XmlFileLoader, AnEntryThatCannotBeReadGives3) {
    // A folder by the resource's name: present, but not a readable file (this
    // also holds for root, who may read any file).
    vt::test::TempDir lib;
    std::filesystem::create_directories(lib.path() / "1017.xml");
    std::string text = "before";
    EXPECT_EQ(CXmlFileLoader().Load(lib.path(), 1017, text), COMM_TEMPLATE_NOT_LOCKED);
    EXPECT_EQ(text, "before");
}

}  // namespace
