#pragma once

#include "model/QLabProject.h"

#include <functional>
#include <optional>

// Saves and opens project files through the panels of FileDialogs. File errors are shown in an
// alert and reach the caller only as a missing project or false. Main thread only.
class ProjectFileService
{
public:
    static inline const QString projectFileSuffix = QStringLiteral("vtl");

    // Calls completion once with the opened project, or with none when the panel was cancelled or
    // the file could not be read or decoded.
    static void openProject(std::function<void(std::optional<QLabProject>)> completion);
    // Calls completion (when given) once with the path written, or with none when the panel was
    // cancelled or the write failed. The project is copied now. A failed save leaves any previous
    // file at the location untouched.
    static void saveProject(const QLabProject &project, const QString &fileName,
        std::function<void(const std::optional<QString> &savedPath)> completion = {});
};
