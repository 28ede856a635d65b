// Ten thousand made-up faces (400 people of 25) grouped into people as a first grouping does, on
// one thread and on all the cores, against the goal of 2 s on two; then a new picture's faces placed
// among them. The best of three runs of each.
//   people_bench [PEOPLE EACH]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>

#include "rules/ChineseWhispers.h"
#include "rules/FaceGraph.h"
#include "rules/PeopleGroups.h"
#include "tests/unit/SyntheticFaces.h"

namespace {

struct Seconds {
    double Wall;
    double Cpu; // of all the threads: on a machine shared with other work, what the work itself cost
};

template <typename Work> Seconds Best(Work work) {
    Seconds best = {1e30, 1e30};
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpu = std::clock();
        work();
        best.Cpu = std::min(best.Cpu, double(std::clock() - cpu) / CLOCKS_PER_SEC);
        best.Wall = std::min(best.Wall,
                             std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void Line(const char* what, Seconds s, const char* after = "") {
    std::printf("%-50s %7.3f s  (CPU %7.3f s) %s\n", what, s.Wall, s.Cpu, after);
}

// Whether every made-up person is one person found, and no two of them one.
bool FoundExactly(const People& people, int each) {
    std::map<int64_t, int64_t> personOf, clusterOf;
    for (const KnownFace& face : people.Faces) {
        const int64_t cluster = face.Seen.Id / each;
        if (personOf.emplace(cluster, face.Person).first->second != face.Person ||
            clusterOf.emplace(face.Person, cluster).first->second != cluster)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 2 ? std::atoi(argv[1]) : 400;
    const int each = argc > 2 ? std::atoi(argv[2]) : 25;
    const std::vector<Face> faces = SyntheticFaces(count, each, 1);
    std::vector<FaceDescriptor> descriptors;
    for (const Face& face : faces)
        descriptors.push_back(face.Descriptor);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::printf("%d faces of %d people, %u cores\n", int(faces.size()), count, cores);

    for (unsigned threads : {1u, cores}) {
        std::vector<std::vector<uint32_t>> graph;
        const Seconds measured = Best([&] { graph = NearFaces(descriptors, SamePersonDistance, threads); });
        size_t edges = 0;
        for (const auto& row : graph)
            edges += row.size();
        const std::string kept = "(" + std::to_string(edges / 2) + " near pairs kept)";
        Line(threads == 1 ? "All pairs measured, one thread" : "All pairs measured, all cores", measured,
             kept.c_str());
        if (threads == cores)
            Line("Chinese whispers over the near pairs", Best([&] { ChineseWhispers(graph); }));
    }
    for (unsigned threads : {1u, cores}) {
        People people;
        const Seconds grouped = Best([&] {
            people = People();
            AddFaces(&people, faces, {SamePersonDistance, threads});
        });
        const std::string found = "(" + std::to_string(people.Persons.size()) + " people, " +
                                  (FoundExactly(people, each) ? "each found exactly)" : "NOT exactly)");
        Line(threads == 1 ? "First grouping, one thread" : "First grouping, all cores (goal: 2 s on two)",
             grouped, found.c_str());
    }

    People library;
    AddFaces(&library, faces);
    std::vector<Face> picture;
    for (int p = 0; p < 5; ++p) {
        Face face = faces[size_t(p * each * 37 % int(faces.size()))];
        face.Id = 1000000 + p;
        face.Picture = 1000000;
        face.Descriptor[p] += 0.01f;
        picture.push_back(face);
    }
    Line("A new picture of 5 faces placed among them", Best([&] {
             People copy = library;
             AddFaces(&copy, picture);
         }));
    return 0;
}
