#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>

#include <array>

// Stands in for the main window in the wizard's tests: the same command slots and editor
// controls by name, and a record of what was added and stored.
class FakeMainWindow : public QWidget
{
    Q_OBJECT
public:
    struct Stored
    {
        QString name;
        std::array<int, 13> masks {};
    };

    FakeMainWindow()
    {
        auto *page = new QWidget(this);
        page->setObjectName(QStringLiteral("ItemKatTabSheet"));
        name = new QLineEdit(page);
        name->setObjectName(QStringLiteral("KatNameEdit"));
        for (int f = 1; f <= 13; ++f)
            for (int k = 1; k <= 4; ++k) {
                auto *box = new QCheckBox(page);
                box->setObjectName(QStringLiteral("f%1k%2").arg(f, 2, 10, QLatin1Char('0')).arg(k));
                boxes[(f - 1) * 4 + (k - 1)] = box;
            }
        for (const char *n : {"PracSpinEdit", "ZenSpinEdit"}) {
            auto *spin = new QSpinBox(page);
            spin->setObjectName(QString::fromLatin1(n));
        }
    }

    int added = 0;
    QList<Stored> stored;
    bool modified = false;
    // Leave boxes ticked after adding, to see the wizard not rely on a clean editor.
    bool dirtyEditor = false;

public slots:
    void AddKatSpeedButtonClick()
    {
        ++added;
        name->clear();
        for (QCheckBox *box : boxes)
            box->setChecked(dirtyEditor);
    }

    void StoreBitBtnClick()
    {
        Stored s;
        s.name = name->text();
        for (int f = 0; f < 13; ++f) {
            int mask = 0;
            for (int k = 3; k >= 0; --k)
                mask = mask * 2 + (boxes[f * 4 + k]->isChecked() ? 1 : 0);
            s.masks[f] = mask;
        }
        stored.append(s);
        modified = true;
    }

private:
    QLineEdit *name;
    std::array<QCheckBox *, 52> boxes {};
};
