// The registry of the special cell editors, each grid's editors, and the plain rules of hosting.
#include "grid/editing/celleditors.h"

#include <QObject>
#include <QRegularExpression>

#include <map>

#include "grid/display/extgrid.h"
#include "grid/display/extutil.h"

TCellEditor::~TCellEditor() = default;

namespace {

std::map<TEditorType, TCellEditorFactory>& factories()
{
    static std::map<TEditorType, TCellEditorFactory> registry;
    return registry;
}

// A grid's editors, made on first use; a child of the grid, so they go with it.
class TGridEditorSet : public QObject {
public:
    explicit TGridEditorSet(QObject* grid) : QObject(grid) {}
    std::map<TEditorType, std::unique_ptr<TCellEditor>> editors;
};

TGridEditorSet* editorSet(TExtStringGrid& Grid, bool create)
{
    for (QObject* child : Grid.children())
        if (auto* set = dynamic_cast<TGridEditorSet*>(child))
            return set;
    return create ? new TGridEditorSet(&Grid) : nullptr;
}

}  // namespace

void RegisterCellEditor(TEditorType Kind, TCellEditorFactory Factory)
{
    if (Factory)
        factories()[Kind] = std::move(Factory);
    else
        factories().erase(Kind);
}

TCellEditor* GridCellEditor(TExtStringGrid& Grid, TEditorType Kind)
{
    TGridEditorSet* set = editorSet(Grid, false);
    if (set) {
        const auto it = set->editors.find(Kind);
        if (it != set->editors.end())
            return it->second.get();
    }
    const auto f = factories().find(Kind);
    if (f == factories().end())
        return nullptr;
    std::unique_ptr<TCellEditor> editor = f->second(Grid, Kind);
    if (!editor)
        return nullptr;
    if (!set)
        set = editorSet(Grid, true);
    TCellEditor* made = editor.get();
    set->editors[Kind] = std::move(editor);
    return made;
}

void HideSpecialEditor(TExtStringGrid& Grid)
{
    if (TGridEditorSet* set = editorSet(Grid, false)) {
        const auto it = set->editors.find(Grid.CurrentEditor());
        if (it != set->editors.end())
            it->second->Hide();
    }
}

bool IsTextEditorKind(TEditorType Kind)
{
    switch (Kind) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
        return true;
    default:
        return false;
    }
}

QRect EditorBounds(TEditorType Kind, const QRect& R, int XOffset, int YOffset)
{
    // R.width() - 1 leaves the cell's right grid line free, R.height() - 1 its bottom one.
    const int w = R.width() - 1;
    const int h = R.height() - 1;
    switch (Kind) {
    case edButton:
        return QRect(R.left() - 1, R.top() - 1, w + 2, h + 2);
    case edUniEdit:
        return QRect(R.left() + 2 + XOffset, R.top() + 2 + YOffset, w - 2 - 2 * XOffset, h - 2 - 2 * YOffset);
    default:
        return QRect(R.left(), R.top(), w, h);
    }
}

TUnitText SplitUnitText(const QString& Text)
{
    // A minus sign, then digits and decimal marks with at least one digit among them.
    static const QRegularExpression number(QStringLiteral("^-?[.,]*[0-9][0-9.,]*"));
    const QRegularExpressionMatch m = number.match(Text);
    if (!m.hasMatch())
        return {QString(), Text};
    return {m.captured(0), Text.mid(m.capturedLength(0))};
}

QString JoinUnitText(const QString& Value, const QString& Unit)
{
    return Value + Unit;
}

int ListItemPosition(const QStringList& Items, const QString& Text, int DefaultPosition)
{
    if (Items.isEmpty())
        return -1;
    const int found = int(Items.indexOf(Text));
    if (found >= 0)
        return found;
    if (DefaultPosition == -1)
        return 0;
    return DefaultPosition >= 0 && DefaultPosition < Items.size() ? DefaultPosition : -1;
}

bool IsUnicodeCellText(const QString& CellText)
{
    return CellText.startsWith(QLatin1String("|\\"));
}

QString CellWideText(const QString& CellText)
{
    return IsUnicodeCellText(CellText) ? CellTextToWide(CellText.toLatin1()) : CellText;
}

QString WideCellTextOf(const QString& Wide)
{
    return QString::fromLatin1(WideToCellText(Wide));
}
