#pragma once

// Tests, the benchmark and the screenshot tool reach a window's controls by
// the object names the window gives them; the pointers stay the window's own.
#include <QList>
#include <QString>
#include <QWidget>
#include <QtGlobal>

namespace olvani {

// The one control of type T named `name` inside `fenster`. A missing,
// renamed or doubled control ends the program with its name, so that no
// check runs on the wrong control or on none.
template <class T>
T* steuerelement(const QWidget* fenster, const char* name)
{
    const QList<T*> treffer = fenster->findChildren<T*>(QString::fromLatin1(name));
    if (treffer.size() != 1)
        qFatal("%s: %d controls named \"%s\" of the type asked for, expected one",
               qPrintable(fenster->objectName()), int(treffer.size()), name);
    return treffer.front();
}

} // namespace olvani
