// Computes the computer's shot table, data/pcshotp.kpd, from the flight model itself: for every
// count 1..20 it searches the release angles and aims that finish exactly from that count with the
// gauge at 0, and keeps the one that best survives small release errors.
//
//   cmake --build build --target shot-table      (or: build/tools/make-shot-table data/pcshotp.kpd)
#include <cmath>
#include <cstdio>
#include <string>

#include "match/aim_solver.h"
#include "match/shot_table.h"
#include "match/throw_input.h"
#include "match/throw_simulation.h"

// The aim solver finds the throw that lands nearest a point; this table wants something else: the
// throw that finishes an exact count and survives the most release and aim errors, which the
// search over the whole grid below finds (its order breaks ties, and the shipped file is its
// output). It shares the solver's representation of the swing and the aim's grid.
namespace {

using namespace darts;

bool finishes(int count, double signedRelease, double aim) {
    auto landing = simulateThrow(static_cast<float>(toSwingAngle(signedRelease)),
                                 static_cast<float>(aim), 0.0f, 1);
    return landing && landing->score == count;
}

struct Candidate {
    double release = 0;  // signed
    double aim = 0;
    int releaseHits = -1;  // of 11 release errors -0.005..+0.005 with the exact aim
    int totalHits = -1;    // release errors up to 0.01 over aims up to four aim steps either side
};

Candidate bestShot(int count) {
    // The computer walks its aim in steps of kAimStep from 0, so aims on that grid are reached
    // exactly.
    Candidate best;
    for (int aimSteps = -60; aimSteps <= 60; ++aimSteps) {
        double aim = aimSteps * kAimStep;
        // The forward part of the swing the arm actually passes: 0.18 down to -0.07.
        for (int milli = -70; milli <= 180; ++milli) {
            double release = milli * 0.001;
            if (!finishes(count, release, aim)) continue;
            int releaseHits = 0;
            for (int e = -5; e <= 5; ++e) releaseHits += finishes(count, release + e * 0.001, aim);
            if (releaseHits < best.releaseHits) continue;
            int totalHits = 0;
            for (int a = -4; a <= 4; ++a) {
                for (int e = -10; e <= 10; ++e) {
                    totalHits += finishes(count, release + e * 0.001, aim + a * kAimStep);
                }
            }
            if (releaseHits > best.releaseHits ||
                (releaseHits == best.releaseHits && totalHits > best.totalHits)) {
                best = {release, aim, releaseHits, totalHits};
            }
        }
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make-shot-table OUTPUT\n", stderr);
        return 2;
    }
    std::string table;
    for (int count = 1; count <= 20; ++count) {
        Candidate shot = bestShot(count);
        if (shot.releaseHits < 8) {
            std::fprintf(stderr, "make-shot-table: no shot finishes %d reliably\n", count);
            return 1;
        }
        std::fprintf(
            stderr,
            "count %2d: release %+.3f aim %+.4f: %d/11 release errors, %d/189 wider errors\n",
            count, shot.release, shot.aim, shot.releaseHits, shot.totalHits);
        table += formatShotRecord(toSwingAngle(shot.release), shot.aim);
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr || std::fwrite(table.data(), 1, table.size(), out) != table.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "make-shot-table: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
