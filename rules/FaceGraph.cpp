#include "rules/FaceGraph.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <utility>

namespace {

// One face's row: every later face measured (each pair once), the near ones kept.
std::vector<uint32_t> NearRow(const std::vector<FaceDescriptor>& faces, size_t face, float bound) {
    std::vector<std::pair<float, uint32_t>> near;
    for (size_t other = face + 1; other < faces.size(); ++other) {
        const float distance = SquaredDistanceWithin(faces[face], faces[other], bound);
        if (distance < bound)
            near.emplace_back(distance, uint32_t(other));
    }
    if (near.size() > MaxNearFaces) {
        std::nth_element(near.begin(), near.begin() + MaxNearFaces, near.end());
        near.resize(MaxNearFaces);
    }
    std::vector<uint32_t> row;
    row.reserve(near.size());
    for (const auto& pair : near)
        row.push_back(pair.second);
    std::sort(row.begin(), row.end());
    return row;
}

} // namespace

std::vector<std::vector<uint32_t>> NearFaces(const std::vector<FaceDescriptor>& faces, float threshold,
                                             unsigned threads) {
    std::vector<std::vector<uint32_t>> later(faces.size());
    const float bound = threshold * threshold;
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    // Rows taken in turn, so that each thread gets long and short ones alike; each writes its own rows.
    const auto share = [&](unsigned first) {
        for (size_t face = first; face < faces.size(); face += threads)
            later[face] = NearRow(faces, face, bound);
    };
    std::vector<std::thread> workers;
    std::vector<unsigned> left = {0};
    for (unsigned t = 1; t < threads; ++t) {
        try {
            workers.emplace_back(share, t);
        } catch (const std::system_error&) {
            left.push_back(t); // no thread to be had: this one does its rows
        }
    }
    for (unsigned t : left)
        share(t);
    for (std::thread& worker : workers)
        worker.join();
    // Each pair both ways: a face's earlier neighbours come in order as the rows are walked, then its later
    // ones.
    std::vector<std::vector<uint32_t>> rows(faces.size());
    for (size_t face = 0; face < faces.size(); ++face) {
        for (uint32_t other : later[face])
            rows[other].push_back(uint32_t(face));
        rows[face].insert(rows[face].end(), later[face].begin(), later[face].end());
        std::vector<uint32_t>().swap(later[face]);
    }
    return rows;
}
