// The page writer of the single-result page: an HTML 4.01 text in UTF-16
// built one element at a time. One writer per page, so a page that failed
// leaves nothing behind for the next one.
#pragma once

#include <string>
#include <string_view>

namespace dravik {

class CHTMLParser {
public:
    enum State { HeadOpen = 0, BodyOpen = 1, Closed = 2, TableOpen = 3, RowOpen = 4, CellOpen = 5 };

    CHTMLParser();

    void BeginBody();
    void EndDocument();
    void BeginTable(int border);
    void NewRow();
    // A second cell in a row is right-aligned; colspan > 0 spans columns.
    void NewCell(int colspan);
    void EndTable();
    // The text is markup: callers escape what they take from elsewhere.
    void Paragraph(std::u16string_view markup);
    // src is escaped here; width or height below 0 leaves out the size and alt text.
    void Image(std::u16string_view src, int width, int height);

    // Ends the document and writes it; the byte-order mark only with
    // `byteOrderMark`. COMM_OK or COMM_FILE_ERROR (an older file stays as it
    // was). The writer starts a new document either way.
    int Save(const std::string& path, bool byteOrderMark);

    const std::u16string& text() const { return text_; }
    State state() const { return state_; }

private:
    void Reset();
    void Append(std::string_view ascii);
    void BodyFirst();

    std::u16string text_;
    State state_ = HeadOpen;
};

}  // namespace dravik
