#pragma once
// TExtStringGridCheck: the base of the cell text checkers (a dictionary or a format checker). A
// checker is assigned to a grid's CellChecker; concrete checkers override the four hooks. The
// base checks nothing: Correct and MarkError hand the text back unchanged.
#include <QObject>
#include <QString>

class TExtStringGridCheck : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool GotoCell MEMBER GotoCell)
    Q_PROPERTY(bool AutoCorrect MEMBER AutoCorrect)
    Q_PROPERTY(bool AutoMarkError MEMBER AutoMarkError)
    Q_PROPERTY(bool UseCorrect MEMBER UseCorrect)
    Q_PROPERTY(bool UseMarkError MEMBER UseMarkError)
public:
    explicit TExtStringGridCheck(QObject* owner = nullptr);
    ~TExtStringGridCheck() override;

    // The grid moves to a cell in which the checker finds something.
    bool GotoCell = false;
    // Corrections are applied without asking (an accepted edit is corrected before it is
    // validated).
    bool AutoCorrect = false;
    // Errors are marked without asking (an accepted edit is stored with its errors marked).
    bool AutoMarkError = false;
    // A pass over the cells uses Correct.
    bool UseCorrect = false;
    // A pass over the cells uses MarkError.
    bool UseMarkError = false;

    // The corrected text of a cell (real column).
    virtual QString Correct(int ACol, int ARow, const QString& Value);
    // The text with its errors marked (for instance with mark-up an HTML cell shows).
    virtual QString MarkError(int ACol, int ARow, const QString& Value);
    // Run once before and once after a pass over the cells.
    virtual void StartCheck();
    virtual void StopCheck();
};
