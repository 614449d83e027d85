#pragma once

#include <wordmill/core/LangCoreData.h>
#include <wordmill/sys/OneLineForm.h>

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The engine's data object with the editor's page held in memory, for tests
// that run the editor's operations without its window: rows of a label and
// a text the test can type into, and the last selection.
class EditorPageData : public wordmill::TLangCoreData
{
public:
    using wordmill::TLangCoreData::TLangCoreData;

    struct Row
    {
        QString label;
        QString text;
    };
    struct Selection
    {
        int row = -1;
        int start = -1;
        int length = 0;
        wordmill::TEditorSearch column = wordmill::seItem;
    };

    QList<Row> rows;
    Selection selection;
    bool opened = false;
    // How often a row's text was read.
    int reads = 0;
    // What a run of the editor does; it returns the language to switch to.
    std::function<QString(EditorPageData &, int mode)> run;

    // Builds a page as the window does: the old rows go first.
    void BuildPage(const QString &object)
    {
        rows.clear();
        NewEditorPage(object, {QStringLiteral("Unknown")});
    }
    void Type(int row, const QString &text) { rows[row].text = text; }
    QStringList Labels() const
    {
        QStringList labels;
        for (const Row &row : rows)
            labels << row.label;
        return labels;
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (const Row &row : rows)
            texts << row.text;
        return texts;
    }

    QString EditorExecute(int EMode) override
    {
        opened = true;
        const QString language = run ? run(*this, EMode) : QString();
        opened = false;
        return language;
    }
    void AddEditorRow(const QString &PropertyName, const QString &Value) override
    {
        rows.append({PropertyName, Value});
    }
    QString GetEditorRow(int Row) override
    {
        ++reads;
        return Row >= 0 && Row < rows.size() ? wordmill::TrimControlChars(rows.at(Row).text, true)
                                             : QString();
    }
    bool EditorOpened() override { return opened; }
    // Moving to a row selects it, as a click on it would.
    void EditorSelect(int Row, int Start, int Len, wordmill::TEditorSearch Column) override
    {
        selection = {Row, Start, Len, Column};
        quint32 colour = 0;
        SelectEditorItem(Row, nullptr, colour);
    }
};
