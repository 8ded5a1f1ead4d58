#pragma once
#include <filesystem>
#include <string>

// Shared by the desktop host's tests: one QApplication for the test program
// (on the offscreen platform unless QT_QPA_PLATFORM says otherwise), and a
// copy of the sample lesson with a registry file of its own.

// Lets queued events (the host's deferred redraws) run, and the maps shown
// finish their pictures.
void Settle();

// A temporary folder holding lesson/ (a copy of examples/lesson) and
// registry.json, which TESSALY_REGISTRY names while the object lives.
class LessonCopy {
public:
    explicit LessonCopy(const std::string& name);
    ~LessonCopy();
    LessonCopy(const LessonCopy&) = delete;
    LessonCopy& operator=(const LessonCopy&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path Document() const { return folder_ / "lesson" / "WillowCreek.tmd"; }

private:
    std::filesystem::path folder_;
};

// The toolbar library as the build places it beside the host.
std::string ServerLibrary();
