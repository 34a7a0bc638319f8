#pragma once

#include <optional>

class QString;

// The platform's modal file-open dialog.
class FileOpenDialog {
public:
    virtual ~FileOpenDialog() = default;
    // filter: Qt filter syntax, "Description (*.ext);;…", the first one
    // selected. An empty optional when the user cancels.
    virtual std::optional<QString> getOpenFileName(const QString& filter) = 0;
};
