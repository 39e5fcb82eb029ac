#pragma once
// A report project: the reports of the program by name, each made afresh by its builder when it
// runs, and sent through the project's report system (its setup hook, destination and printer).
//
//   orvreports.SetEngine(&RvSystem1);
//   orvreports.AddReport("Liste", [this] { return buildListe(); });
//   orvreports.Open();
//   if (orvreports.SelectReport("Liste", false)) orvreports.Execute();
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class TReport;
class TReportSystem;

class TReportProject {
public:
    using Builder = std::function<std::unique_ptr<TReport>()>;

    TReportProject();
    ~TReportProject();
    TReportProject(const TReportProject&) = delete;
    TReportProject& operator=(const TReportProject&) = delete;

    // The report system the reports go through; without one they go to the preview.
    TReportSystem* Engine() const { return engine_; }
    void SetEngine(TReportSystem* e) { engine_ = e; }

    // Adds a report or replaces the one of the same name (names compare without case).
    void AddReport(const QString& name, Builder builder);
    QStringList ReportNames() const;

    void Open() { active_ = true; }
    void Close();
    bool Active() const { return active_; }

    // Chooses the report to run; false (and no change) when there is none of that name. The full
    // name and the short name are the same here.
    bool SelectReport(const QString& name, bool fullName);
    const QString& SelectedReport() const { return selected_; }

    // Builds the chosen report and runs it through the engine (opening the project when it is
    // closed). Returns false when the user cancelled the setup. Exception when no report is
    // chosen.
    bool Execute();
    // Chooses and runs a report in one step.
    bool ExecuteReport(const QString& name);

private:
    struct Entry {
        QString name;
        Builder builder;
    };
    const Entry* find(const QString& name) const;

    TReportSystem* engine_ = nullptr;
    std::unique_ptr<TReportSystem> ownEngine_;
    std::vector<Entry> reports_;
    QString selected_;
    bool active_ = false;
};
