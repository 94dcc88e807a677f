#pragma once

struct QLabProject;

// What an import needs of the project store: somewhere to put the project it built.
class ProjectLoader
{
public:
    virtual ~ProjectLoader() = default;
    virtual void loadProject(const QLabProject &project) = 0;
};
