#pragma once

namespace folix {

// How a site or TEXT build ended.
enum class BuildOutcome {
    kRefused,     // it did not run (the message said why); nothing was written
    kWritten,     // every file was written, or left alone because the writer said No
    kIncomplete,  // it ran, but a file could not be written (reported)
};

}  // namespace folix
