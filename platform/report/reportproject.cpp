#include "platform/report/reportproject.h"

#include <QCoreApplication>

#include "platform/report/report.h"
#include "platform/report/reportsystem.h"

TReportProject::TReportProject() = default;

TReportProject::~TReportProject() = default;

void TReportProject::AddReport(const QString& name, Builder builder)
{
    for (Entry& e : reports_)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) {
            e.builder = std::move(builder);
            return;
        }
    reports_.push_back({name, std::move(builder)});
}

QStringList TReportProject::ReportNames() const
{
    QStringList l;
    for (const Entry& e : reports_)
        l << e.name;
    return l;
}

void TReportProject::Close()
{
    active_ = false;
    selected_.clear();
}

const TReportProject::Entry* TReportProject::find(const QString& name) const
{
    for (const Entry& e : reports_)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

bool TReportProject::SelectReport(const QString& name, bool)
{
    const Entry* e = find(name);
    if (!e)
        return false;
    selected_ = e->name;
    return true;
}

bool TReportProject::Execute()
{
    const Entry* e = selected_.isEmpty() ? nullptr : find(selected_);
    if (!e)
        throw Exception(QCoreApplication::translate("TReportProject", "Es ist kein Bericht ausgewählt."));
    active_ = true;
    TReportSystem* system = engine_;
    if (!system) {
        if (!ownEngine_)
            ownEngine_ = std::make_unique<TReportSystem>();
        system = ownEngine_.get();
    }
    std::unique_ptr<TReport> report = e->builder();
    if (!report)
        return false;
    return system->Execute(*report);
}

bool TReportProject::ExecuteReport(const QString& name)
{
    if (!SelectReport(name, false))
        throw Exception(QCoreApplication::translate("TReportProject", "Der Bericht \"%1\" ist nicht vorhanden.").arg(name));
    return Execute();
}
