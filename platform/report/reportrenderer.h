#pragma once
// Output formats for report files. Every renderer registers itself while it exists, so that the
// output-options dialog can offer each one with its name and file filter:
//   "Adobe Acrobat (PDF)"  *.pdf          (renderpdf.h)
//   "Web Page (HTML)"      *.html;*.htm   (renderhtml.h)
//   "Textdatei (TXT)"      *.txt          (rendertext.h)
// A file is replaced only by a completely written new one.
#include <QIODevice>
#include <QString>

#include <functional>
#include <vector>

#include "platform/report/reportpage.h"

class TReportRenderer {
public:
    TReportRenderer(const QString& displayName, const QString& fileExtension);
    virtual ~TReportRenderer();
    TReportRenderer(const TReportRenderer&) = delete;
    TReportRenderer& operator=(const TReportRenderer&) = delete;

    const QString& DisplayName() const { return displayName_; }
    void SetDisplayName(const QString& n) { displayName_ = n; }
    // The file patterns, "*.html;*.htm".
    const QString& FileExtension() const { return fileExtension_; }
    // The extension a file name gets when it has none: ".html" for "*.html;*.htm".
    QString DefaultExtension() const;
    // The entry of a file dialog filter: "Web Page (HTML)|*.html;*.htm".
    QString FilterEntry() const;
    // True when the file name ends in one of the renderer's extensions (without case).
    bool Accepts(const QString& fileName) const;

    // Writes the pages into the file. Exception (German message) when it cannot be written; an
    // existing file then stays as it was.
    void Render(const TPreparedReport& report, const QString& fileName);

protected:
    virtual void write(const TPreparedReport& report, QIODevice& out) = 0;

private:
    QString displayName_;
    QString fileExtension_;
};

// The renderers that exist, in the order they were made.
const std::vector<TReportRenderer*>& RegisteredRenderers();
// The file dialog filter of every registered renderer: "A|*.pdf|B|*.html;*.htm|...".
QString RendererFilter();
// The registered renderer whose extensions the file name has, or null.
TReportRenderer* RendererForFile(const QString& fileName);

// The file name with the renderer's extension appended when the file name itself has no suffix:
// "/tmp/liste" gives "/tmp/liste.pdf", also "/tmp/a.b/liste" (a dot of a folder does not count);
// "liste.txt" stays as typed. A blank name stays blank.
QString FileNameWithExtension(const QString& fileName, const TReportRenderer* renderer);
QString FileNameWithExtension(const QString& fileName, const QString& extension);

// Writes a file through the function: the old file is replaced only when everything was written;
// Exception (German message with the file's name) when it cannot be written.
void WriteFileSafely(const QString& fileName, const std::function<void(QIODevice& out)>& write);
