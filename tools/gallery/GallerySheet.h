#pragma once

class SessionContext;
namespace db { class Connection; }
namespace vb { class OutputSurface; }

// A sheet of sample diagrams that shows the plotting engine's output at a glance: linear and
// logarithmic axes in all orientations, every polygon line form and symbol, labels with
// markup at several angles, clipped circles and arcs, load areas and force symbols. The same
// sheet goes to the screen picture (PNG) and the printer (PDF).
class GallerySheet {
public:
    // Writes the frame rows of the sheet's diagrams (record 1, diagrams 1 to 8) into G0.
    static void prepareDatabase(db::Connection& connection);
    // Draws the sheet on an A4 landscape surface in millimetres.
    static void draw(vb::OutputSurface& surface, SessionContext& session);
};
