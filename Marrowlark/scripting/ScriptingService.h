#pragma once

class ProjectStore;

// Script commands for other programs, on the session bus.
namespace ScriptingService {

// Offers the script commands for the rest of the program's life; they change store. Without a
// session bus, or when another program holds the name, says once on stderr that script commands
// are unavailable and returns false; the program carries on without them.
bool start(ProjectStore &store);

} // namespace ScriptingService
