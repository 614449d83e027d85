#include "EditorColors.h"

namespace wordmill {

int EditorColorHintItem(quint32 Color)
{
    switch (Color) {
    case EditorColor::InternalLanguage:
        return 31;
    case EditorColor::SourceTranslation:
        return 32;
    case EditorColor::GlobalSourceTranslation:
        return 33;
    case EditorColor::Translated:
        return 34;
    case EditorColor::GlobalTranslation:
        return 35;
    case EditorColor::CancelTranslation:
        return 36;
    case EditorColor::RestoredTranslation:
        return 37;
    case EditorColor::KeepSourceTranslation:
        return 38;
    case EditorColor::InvalidTranslation:
    case EditorColor::InvalidGlobalTranslation:
    case EditorColor::NotEvaluated:
        return 39;
    case EditorColor::GlobalTranslationRemoved:
        return 48;
    default:
        return -1; // TranslatedWithoutSource and every other colour
    }
}

} // namespace wordmill
