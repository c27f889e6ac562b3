#pragma once
// Reads a form description into a component tree (the format is described in resources/forms/).
// The root is the existing object (a form constructed in C++); nested objects are created through the
// class registry, owned by the root, placed in their enclosing object, their properties set in order
// and their handlers bound to the root's methods. Every created component is loading until the whole
// tree exists and its references are resolved; then Loaded runs on the root and on each component in
// reading order. Any mistake throws EFormError with the file, the line and what is wrong.
#include "toolkit/form_parts.h"

#include <QString>
#include <QStringView>

namespace tk {

class TComponent;

// path: a file or a Qt resource (":/forms/..."); parts: the root's named parts, resolved once the tree
// exists and before Loaded runs.
void ReadComponentFile(TComponent* root, const QString& path, const FormParts& parts = {});
// text: the description itself; fileName names it in errors.
void ReadComponentText(TComponent* root, QStringView text, const QString& fileName,
                       const FormParts& parts = {});

} // namespace tk
