#pragma once

#include <QFlags>

namespace wordmill {

// Kinds of editor groups: what the work data of the selected group are.
enum TEditorModes {
    emClient,         // a per-form client: component lines
    emIndexedLexicon, // a lexicon, and the value when no group is selected
    emSmartLexicon,   // kept for the stored value; no group has this kind
    emResources       // a resource-string translator: its strings by unit
};

// What EditorAction does.
enum TEditorActions {
    eaLoadLangForEdit,   // open a language for editing
    eaLoadLangForCreate, // load the source language of a new language
    eaCreateLang,        // make the named new language the engine's current one
    eaSaveLang           // write the edited language to a file
};

// The column of an editor row a search hit is in.
enum TEditorSearch {
    seItem = 0x1,    // the row's own text
    seSource = 0x2,  // the source language's text
    seOriginal = 0x4 // the designed text
};
Q_DECLARE_FLAGS(TEditorSearchMode, TEditorSearch)
Q_DECLARE_OPERATORS_FOR_FLAGS(TEditorSearchMode)

} // namespace wordmill
