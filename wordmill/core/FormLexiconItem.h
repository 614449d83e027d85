#pragma once

namespace wordmill {

// Item numbers of the library's own texts in the form lexicon
// (TLangFormLexicon): the language menu's editor entries, the translation
// editor's captions, hints and messages. The texts themselves are in
// FormLexiconTables.cpp, in four built-in languages.
namespace FormLexiconItem {
enum : int {
    EditorTitle = 0,             // "Language Editor"
    CreateLanguageEntry = 1,     // "> Add <"
    EditLanguageEntry = 2,       // "> Edit <"
    ChooseSourceLanguage = 3,    // "Choose source language"
    LanguageLabel = 4,           // "Language"
    SourceLanguageLabel = 5,     // "Source language"
    SourceStringLabel = 6,       // "Source string"
    PropertyColumn = 7,          // "Property / Item"
    TranslationColumn = 8,       // "Translation"
    GroupLabel = 10,             // "Group"
    ObjectLabel = 11,            // "Object"
    CreateLanguageHint = 12,     // "Create new language"
    GroupHint = 14,              // "Group of language data"
    PreviousObjectHint = 15,     // "Back - to untranslated object + Shift"
    NextObjectHint = 16,         // "Next - untranslated object + Shift"
    ReadError = 17,              // "Read error from language file"
    NewLanguageName = 18,        // "New language name"
    NameAlreadyExists = 19,      // "already exists! Enter another name."
    LanguageFilesFilter = 20,    // "Language files"
    NewLanguageFileName = 21,    // "New language file name"
    SaveFailed = 22,             // "Saving of language file fail!"
    NoUntranslatedObject = 23,   // "Not found any untranslated object."
    CloseWithoutSaving = 24,     // "Close without saving changes?"
    FlagHint = 25,               // "Click for change flag. Right button for remove."
    ImportFlagTitle = 26,        // "Import language flag"
    RemoveFlagQuestion = 27,     // "Do you really want to remove flag?"
    SaveButton = 28,             // "Save"
    WrongLanguagePath = 29,      // "Wrong path to language files!"
    ToggleStatusHint = 30,       // "Toggle item status (Click or Ctrl + Left Arrow)"
    StatusInternalLanguage = 31, // "Internal language"; the status hints run to 39
    StatusSourceTranslation = 32,
    StatusGlobalSourceTranslation = 33,
    StatusTranslated = 34,
    StatusGlobalTranslation = 35,
    StatusCancelledTranslation = 36,
    StatusRestoredTranslation = 37,
    StatusKeepSource = 38,
    StatusInvalidTranslation = 39,
    ExportTitle = 40,               // "Export language"
    ExportImportFilter = 41,        // "Wordmill export/import"
    DesignLanguageNotExported = 42, // "The design language of the application can not be exported"
    ImportTitle = 43,               // "Select the file to import"
    CannotImport = 44,              // "This file can not be imported"
    ImportButton = 45,              // "Import"
    PackedFilesFilter = 46,         // the packed multi-language files
    TextFilesFilter = 47,           // "Text files"
    GlobalTranslationRemoved = 48,  // "Global translation removed"
    ItemsImported = 49,             // "%s items has been imported"
};
} // namespace FormLexiconItem

// Kinds of the special flag pictures FillSpecialFlag makes.
namespace SpecialFlag {
enum : int {
    CreateEntry = 0,    // the language menu's create entry
    EditEntry = 1,      // the language menu's edit entry
    DesignLanguage = 2, // the design language's flag
};
} // namespace SpecialFlag

} // namespace wordmill
