#pragma once
// Kinds of field value that can be read into one another, shared by the client dataset (loading
// a packet into its fields) and the packet layout check.
#include "platform/db/fields.h"

enum TValueKind { vkNone, vkWhole, vkFloat, vkDateTime, vkBoolean, vkText, vkBinary };

// Any whole-number type is one kind, text and memo another; an unknown type counts as text.
inline TValueKind ValueKind(TFieldType t)
{
    switch (t) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
    case ftAutoInc:
        return vkWhole;
    case ftFloat:
        return vkFloat;
    case ftDate:
    case ftTime:
    case ftDateTime:
        return vkDateTime;
    case ftBoolean:
        return vkBoolean;
    case ftString:
    case ftMemo:
    case ftUnknown:
        return vkText;
    case ftBlob:
    case ftGraphic:
        return vkBinary;
    }
    return vkNone;
}
