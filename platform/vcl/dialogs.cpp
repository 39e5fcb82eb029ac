#include "platform/vcl/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "platform/db/dataset.h"
#include "platform/rtl/application.h"
#include "platform/vcl/testhooks.h"

namespace {

// The runtime shows the buttons in the order of the button type, whatever order the set lists.
constexpr TMsgDlgBtn kButtonOrder[] = {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry,
                                       mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

QString applicationTitle()
{
    return ApplicationTitle();
}

QString okText()
{
    return MsgDlgButtonCaption(mbOK);
}

QString cancelText()
{
    return MsgDlgButtonCaption(mbCancel);
}

}  // namespace

QString MsgDlgButtonCaption(TMsgDlgBtn b)
{
    switch (b) {
    case mbYes: return QCoreApplication::translate("Dialogs", "&Ja");
    case mbNo: return QCoreApplication::translate("Dialogs", "&Nein");
    case mbOK: return QCoreApplication::translate("Dialogs", "OK");
    case mbCancel: return QCoreApplication::translate("Dialogs", "Abbrechen");
    case mbAbort: return QCoreApplication::translate("Dialogs", "&Abbrechen");
    case mbRetry: return QCoreApplication::translate("Dialogs", "&Wiederholen");
    case mbIgnore: return QCoreApplication::translate("Dialogs", "&Ignorieren");
    case mbAll: return QCoreApplication::translate("Dialogs", "&Alle");
    case mbNoToAll: return QCoreApplication::translate("Dialogs", "N&ein für alle");
    case mbYesToAll: return QCoreApplication::translate("Dialogs", "Ja für a&lle");
    case mbHelp: return QCoreApplication::translate("Dialogs", "&Hilfe");
    }
    return QString();
}

TModalResult MsgDlgButtonResult(TMsgDlgBtn b)
{
    switch (b) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrNone;
    }
    return mrNone;
}

QString MessageDlgDisplayText(const QString& msg)
{
    QString text = msg;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

TModalResult MessageDlg(const QString& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext)
{
    RecordedMessage box;
    box.Type = type;
    box.Text = msg;
    box.Buttons = buttons;
    if (const auto scripted = ScriptedAnswers::takeMessageAnswer(box)) {
        box.Answer = *scripted;
        ScriptedAnswers::recordMessage(box);
        return box.Answer;
    }

    QMessageBox mb(QApplication::activeWindow());
    mb.setWindowTitle(applicationTitle());
    mb.setText(MessageDlgDisplayText(msg));
    switch (type) {
    case mtWarning: mb.setIcon(QMessageBox::Warning); break;
    case mtError: mb.setIcon(QMessageBox::Critical); break;
    case mtInformation: mb.setIcon(QMessageBox::Information); break;
    case mtConfirmation: mb.setIcon(QMessageBox::Question); break;
    case mtCustom: mb.setIcon(QMessageBox::NoIcon); break;
    }
    QList<std::pair<QAbstractButton*, TModalResult>> results;
    QPushButton* firstButton = nullptr;
    QPushButton* escapeButton = nullptr;
    for (TMsgDlgBtn b : kButtonOrder) {
        if (!buttons.Contains(b))
            continue;
        const QMessageBox::ButtonRole role = b == mbHelp ? QMessageBox::HelpRole : QMessageBox::ActionRole;
        QPushButton* pb = mb.addButton(MsgDlgButtonCaption(b), role);
        results.append({pb, MsgDlgButtonResult(b)});
        if (!firstButton && b != mbHelp)
            firstButton = pb;
        if (b == mbCancel || (b == mbNo && !buttons.Contains(mbCancel)) || (b == mbOK && !buttons.Contains(mbCancel)))
            escapeButton = pb;
    }
    if (!firstButton) {
        firstButton = mb.addButton(okText(), QMessageBox::AcceptRole);
        results.append({firstButton, mrOk});
    }
    mb.setDefaultButton(firstButton);
    if (escapeButton)
        mb.setEscapeButton(escapeButton);
    mb.exec();
    box.Answer = mrCancel;
    for (const auto& r : results)
        if (mb.clickedButton() == r.first)
            box.Answer = r.second;
    ScriptedAnswers::recordMessage(box);
    return box.Answer;
}

bool TryShowingError(const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const EAbort&) {
        return false;
    } catch (const std::exception& e) {
        MessageDlg(ExceptionMessage(e), mtError, {mbOK});
        return false;
    }
}

bool PostAfterAsking(TDataSet& dataSet, const QString& question)
{
    switch (MessageDlg(question, mtConfirmation, mbYesNoCancel)) {
    case mrYes:
        return TryShowingError([&] { dataSet.Post(); });
    case mrNo:
        return true;
    default:
        return false;
    }
}

void ShowMessage(const QString& msg)
{
    MessageDlg(msg, mtCustom, {mbOK});
}

bool InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    if (const auto scripted = ScriptedAnswers::takeInputAnswer(caption, prompt)) {
        if (scripted->first)
            value = scripted->second;
        return scripted->first;
    }
    QDialog dlg(QApplication::activeWindow());
    dlg.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(new QLabel(prompt, &dlg));
    auto* edit = new QLineEdit(value, &dlg);
    edit->selectAll();
    layout->addWidget(edit);
    auto* box = new QDialogButtonBox(&dlg);
    box->addButton(okText(), QDialogButtonBox::AcceptRole)->setDefault(true);
    box->addButton(cancelText(), QDialogButtonBox::RejectRole);
    QObject::connect(box, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    layout->addWidget(box);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    value = edit->text();
    return true;
}

QString InputBox(const QString& caption, const QString& prompt, const QString& defaultText)
{
    QString value = defaultText;
    if (!InputQuery(caption, prompt, value))
        return defaultText;
    return value;
}

void InstallExceptionPresenter()
{
    SetExceptionPresenter([](const QString& message) { MessageDlg(message, mtError, {mbOK}); });
}

QStringList FilterToNameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        // Qt reads the patterns from a parenthesised group at the end of the name; names such
        // as "Alle Dateien(*.*)" already carry it.
        if (name.endsWith(QStringLiteral("(%1)").arg(patterns)))
            result << name;
        else
            result << QStringLiteral("%1 (%2)").arg(name, patterns);
    }
    return result;
}

QString TOpenDialog::withDefaultExt(const QString& fn) const
{
    if (defaultExt_.isEmpty() || !QFileInfo(fn).suffix().isEmpty())
        return fn;
    QString ext = defaultExt_;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    return fn + QLatin1Char('.') + ext;
}

bool TOpenDialog::Execute(QWidget* parent)
{
    RecordedFileDialog rec{isSave(), title_, filter_, initialDir_};
    QStringList chosen;
    if (const auto scripted = ScriptedAnswers::takeFileNames(rec)) {
        chosen = *scripted;
    } else {
        QFileDialog dlg(parent ? parent : QApplication::activeWindow(), title_, initialDir_);
        dlg.setAcceptMode(isSave() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (isSave())
            dlg.setFileMode(QFileDialog::AnyFile);
        else
            dlg.setFileMode((options_ & ofAllowMultiSelect) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        if (!(options_ & ofOverwritePrompt))
            dlg.setOption(QFileDialog::DontConfirmOverwrite);
        const QStringList filters = FilterToNameFilters(filter_);
        if (!filters.isEmpty()) {
            dlg.setNameFilters(filters);
            if (filterIndex_ >= 1 && filterIndex_ <= filters.size())
                dlg.selectNameFilter(filters[filterIndex_ - 1]);
        }
        if (!fileName_.isEmpty())
            dlg.selectFile(fileName_);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        chosen = dlg.selectedFiles();
        filterIndex_ = filters.indexOf(dlg.selectedNameFilter()) + 1;
    }
    if (chosen.isEmpty())
        return false;
    files_.clear();
    for (const QString& f : chosen)
        files_ << withDefaultExt(f);
    fileName_ = files_.first();
    return true;
}

bool TColorDialog::Execute(QWidget* parent)
{
    if (const auto scripted = ScriptedAnswers::takeColor()) {
        if (!*scripted)
            return false;
        color_ = **scripted;
        return true;
    }
    QColorDialog dlg(ToQColor(color_), parent ? parent : QApplication::activeWindow());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    color_ = FromQColor(dlg.selectedColor());
    return true;
}

bool SelectDirectory(const QString& caption, const QString& root, QString& directory)
{
    QString chosen;
    if (const auto scripted = ScriptedAnswers::takeFolder(caption)) {
        chosen = *scripted;
    } else {
        chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption,
                                                   directory.isEmpty() ? root : directory);
    }
    if (chosen.isEmpty())
        return false;
    directory = chosen;
    return true;
}
