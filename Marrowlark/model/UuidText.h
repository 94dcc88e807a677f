#pragma once

// Whether text is a UUID in its 36-character form, hexadecimal digits in either case. Text is
// any Qt string view whose characters have unicode().
template <typename Text> bool isUuidText(Text text)
{
    if (text.size() != 36)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != u'-')
                return false;
        } else if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')
                       || (c >= u'A' && c <= u'F'))) {
            return false;
        }
    }
    return true;
}
