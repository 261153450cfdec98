#pragma once

#include "generator/generation_run.hpp"

namespace tarvomen::generator {

// The new site of a whole-site generation: a folder beside the site folder "C:\Tarvomen\" that
// the pages and media are written into, and that takes the site folder's place only when all of
// them were written. Until then the previous site stays as it was.

// Creates the folder with an empty Data folder and makes it the run's stage; notes the folders
// of the previous site that the new one keeps (a folder the user put into the site folder or
// its Data folder). Throws Error when the folder cannot be created, or when a file holds the
// site folder's name.
void OpenSiteStage(GenerationRun& run);

// Puts the stage in the site folder's place (an atomic exchange where the file system offers
// it), moves the previous site's own folders into it and removes the rest of the previous site.
// Throws Error, with the previous site still in place, when the stage cannot take its place.
void CommitSiteStage(GenerationRun& run);

// Removes the stage and everything in it, after a failed generation.
void DiscardSiteStage(GenerationRun& run) noexcept;

}  // namespace tarvomen::generator
