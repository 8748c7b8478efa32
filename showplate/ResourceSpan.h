#pragma once

#include <QtGlobal>

// Position of a version resource inside a program file as its headers declare it.
// The span is not checked against the file size: a declared span that runs past the end of the
// file is a present but unreadable resource.
struct ResourceSpan {
    quint64 offset = 0;
    quint64 size = 0;
};
