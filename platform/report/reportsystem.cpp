#include "platform/report/reportsystem.h"

#include <QCoreApplication>
#include <QDir>

#include "platform/report/report.h"
#include "platform/report/reportpreview.h"
#include "platform/report/reportrenderer.h"

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("TReportSystem", text);
}

}  // namespace

TReportSystem::TReportSystem()
    : titleSetup_(Tr("Ausgabeoptionen")), titlePreview_(Tr("Vorschau"))
{
}

TReportSystem::~TReportSystem() = default;

bool TReportSystem::Execute(TReport& report)
{
    return Execute([&report] { return report.Prepare(); });
}

bool TReportSystem::Execute(const std::function<TPreparedReport()>& generate)
{
    setupCancelled_ = false;
    reportDest_ = defaultDest_;
    if (!Allows(ssAllowSetup) || !OnOverrideSetup) {
        Output(generate());
        return true;
    }
    // The hook's dialog lives until the report has gone out, and is freed also after an error.
    QObject* dialog = nullptr;
    struct FreeDialog {
        TReportSystem* system;
        QObject*& dialog;
        ~FreeDialog()
        {
            if (!system->OnOverrideSetup)
                return;
            try {
                system->OnOverrideSetup(system, omFree, dialog);
            } catch (...) {
                // Freeing a dialog has nothing the user could act on.
            }
        }
    };
    OnOverrideSetup(this, omCreate, dialog);
    FreeDialog freeDialog{this, dialog};
    OnOverrideSetup(this, omShow, dialog);
    if (setupCancelled_)
        return false;
    const TPreparedReport pages = generate();
    OnOverrideSetup(this, omWait, dialog);
    Output(pages);
    return true;
}

void TReportSystem::Output(const TPreparedReport& pages)
{
    switch (reportDest_) {
    case TReportDest::Printer: {
        if (titlePrinter_.isEmpty()) {
            PrintPreparedReport(pages, printer_);
        } else {
            TPreparedReport job = pages;
            job.title = titlePrinter_;
            PrintPreparedReport(job, printer_);
        }
        break;
    }
    case TReportDest::Preview: {
        TReportPreview preview(previewOwner_, pages, &printer_);
        if (!titlePreview_.isEmpty())
            preview.SetCaption(pages.title.isEmpty() ? titlePreview_ : titlePreview_ + QLatin1String(" - ") + pages.title);
        preview.ShowModal();
        break;
    }
    case TReportDest::File: {
        const QString name = outputFileName_.trimmed();
        if (name.isEmpty())
            throw Exception(Tr("Für die Ausgabe in eine Datei ist kein Dateiname angegeben."));
        TReportRenderer* renderer = renderObject_ ? renderObject_ : RendererForFile(name);
        if (!renderer)
            throw Exception(Tr("Für die Datei \"%1\" ist kein Ausgabeformat gewählt.").arg(QDir::toNativeSeparators(name)));
        renderer->Render(pages, FileNameWithExtension(name, renderer));
        break;
    }
    }
}
