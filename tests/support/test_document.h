#pragma once
// The radio document a test program's windows share unless a test makes
// documents of its own, and shorthands for its parts. Each test program is
// one process with one such document; a test that needs two radios makes a
// second RadioDocument and hands it in.

#include "editors/adjust/adjust_table.h"
#include "editors/options/option_codec.h"
#include "image/radio_document.h"
#include "link/identification.h"

namespace vx {
void registerWindows(RadioDocument& doc);
}

namespace vx::test {

inline RadioDocument& testDocument()
{
    static RadioDocument doc;
    return doc;
}

// Its image, for laying fixtures and reading results: no edit recorded.
inline Image& testImage() { return testDocument().unrecorded(); }

inline const BandLimits& bandLimits() { return testDocument().bandLimits(); }
inline void setBandLimits(const BandLimits& limits) { testDocument().setBandLimits(limits); }
inline void resetBandLimits() { setBandLimits(kDefaultBandLimits); }

inline int portNumber() { return testDocument().portNumber(); }
inline void setPortNumber(int n) { testDocument().setPortNumber(n); }
inline bool portFailure() { return testDocument().portFailed(); }
inline void setPortFailure(bool failed) { testDocument().setPortFailure(failed); }
inline int probePorts() { return vx::probePorts(testDocument()); }
inline LinkContext testLink() { return LinkContext::of(testDocument()); }

inline options::OptionBlock& working_copy() { return testDocument().part<options::OptionBlock>(); }
inline adjust::Table& table() { return testDocument().part<adjust::Table>(); }

inline void registerWindows() { vx::registerWindows(testDocument()); }

}  // namespace vx::test
