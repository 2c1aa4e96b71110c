#pragma once

// Starting a review from the newest stored result: which characters, how long a text, which
// course (a key drill of a course with its own keyboard is reviewed within that course when
// the user takes its difficult keys), and how long the review runs. The review text itself
// comes from the exercise engine (CParadigmPump::MakeReviewText).

#include "users/keydelaypage.h"
#include "users/resultrecord.h"
#include "users/userprofile.h"

#include <cstdint>
#include <string>

namespace kf {

class CParadigmPump;

struct ReviewPlan
{
    std::u16string characters; // what the review practises
    size_t size = 0;           // characters of the review text
    // The course the review runs in (a key drill of a course with its own keyboard, its
    // difficult keys taken); empty for a review of the chosen characters alone.
    std::u16string courseFile;
    std::u16string label; // the reviewed course's label, stored with the review
    uint32_t minutes = 3; // the clock counts down this long
};

// The review's minutes: "Duration" of section "Review", 0 counting as 3.
uint32_t ReviewMinutes(uint8_t duration);

// The plan for reviewing the characters the key-delay page handed over, for the newest
// stored result and the user's review options.
ReviewPlan PlanReview(const CResultRecord& reviewed, const ReviewSelection& selection,
                      const CUserProfile& profile);

// Generates the review text into the engine (kind 33, or 34 within a course). layoutFile
// receives the course's keyboard for a review within a course; empty otherwise. False
// (reason in the last-error value) keeps the engine's previous text.
bool GenerateReview(CParadigmPump& engine, const ReviewPlan& plan, std::u16string& layoutFile);

} // namespace kf
