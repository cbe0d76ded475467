#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace olvani {

// The part of `text` that a top-aligned, word-wrapped label of this size can
// show. A solution listing thousands of entries would take long to lay out
// whole; the text is cut at a blank only once enough lines precede the cut
// that every line the label shows stays the same.
QString sichtbarerText(const QString& text, const QFont& font, QSize groesse);

} // namespace olvani
