#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "pictures/ExtendedXmp.h"
#include "pictures/GooglePeople.h"
#include "pictures/PeopleChoice.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureFacts.h"
#include "pictures/PictureInfo.h"
#include "pictures/XmpReader.h"
#include "tests/unit/MadeFile.h"

namespace {

const std::string Tag = " && exiftool -q -overwrite_original ";
const std::string Ann =
    "'-XMP-mwg-rs:RegionInfo={RegionList=[{Area={X=0.5,Y=0.5,W=0.2,H=0.4,Unit=normalized},"
    "Name=Ann,Type=Face}]}' ";

std::vector<std::string> Names(const PictureInfo& info) {
    std::vector<std::string> names;
    for (const TaggedPerson& person : info.People)
        names.push_back(person.Name);
    return names;
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A packet's title and people as a picture carrying it has them.
PictureInfo InfoOfPacket(const std::string& body) {
    const std::string packet =
        "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
        "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#' "
        "xmlns:mwg-rs='http://www.metadataworkinggroup.com/schemas/regions/' "
        "xmlns:stArea='http://ns.adobe.com/xmp/sType/Area#' xmlns:dc='http://purl.org/dc/elements/1.1/' "
        "xmlns:digiKam='http://www.digikam.org/ns/1.0/' "
        "xmlns:MPRI='http://ns.microsoft.com/photo/1.2/t/RegionInfo#' "
        "xmlns:MPReg='http://ns.microsoft.com/photo/1.2/t/Region#'><rdf:Description>"
        "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>Kept</rdf:li></rdf:Alt></dc:title>" +
        body + "</rdf:Description></rdf:RDF></x:xmpmeta>";
    CarriedFacts facts;
    std::vector<FoundPerson> found;
    ReadXmp(reinterpret_cast<const uint8_t*>(packet.data()), packet.size(), &facts);
    ReadXmpPeople(reinterpret_cast<const uint8_t*>(packet.data()), packet.size(), &found);
    PictureInfo info = ChooseInfo(facts);
    ChoosePeople(found, 1, 0, 0, &info);
    return info;
}

std::string Region(const std::string& name, const std::string& x, const std::string& w = ".1") {
    return "<rdf:li mwg-rs:Name='" + name + "' stArea:x='" + x + "' stArea:y='.5' stArea:w='" + w +
           "' stArea:h='.1'/>";
}

std::string RegionList(const std::string& items) {
    return "<mwg-rs:Regions><mwg-rs:RegionList><rdf:Bag>" + items +
           "</rdf:Bag></mwg-rs:RegionList></mwg-rs:Regions>";
}

// Regions are drawn on the stored pixels (Grandma red, Bob green); the picture is turned by its
// EXIF orientation, and each box must land on its colour once the picture is shown upright.
TEST(PicturePeople, AJpegsTagsInOrderOfTrustTurnedAsThePictureIs) {
    const std::string tags =
        "'-XMP-mwg-rs:RegionInfo={RegionList=[{Area={X=0.25,Y=0.25,W=0.1,H=0.2,Unit=normalized},Name=Grandma,"
        "Type=Face},{Area={X=0.85,Y=0.8,W=0.1,H=0.1,Unit=normalized},Type=Face}]}' "
        "'-XMP-MP:RegionInfoMP={Regions=[{PersonDisplayName=grandma,Rectangle=0.2|, 0.15|, 0.1|, 0.2}]}' "
        "'-XMP-iptcExt:ImageRegion=[{RegionBoundary={RbShape=rectangle,RbUnit=pixel,RbX=40,RbY=4,RbW=8,RbH=8}"
        ","
        "Name=Bob}]' -XMP-iptcExt:PersonInImage=Carol -XMP-iptcExt:PersonInImage=Bob "
        "-XMP-digiKam:TagsList=People/Family/Dora -XMP-digiKam:TagsList=Holiday "
        "'-XMP-lr:HierarchicalSubject=People|Eve' "
        "'-XMP-lr:HierarchicalSubject=Places|Rome' -XMP-microsoft:LastKeywordXMP=Frank ";
    for (const int orientation : {3, 6, 8}) {
        const std::string path =
            Make("turned-" + std::to_string(orientation) + ".jpg",
                 "convert -size 80x40 xc:blue -fill red -draw 'rectangle 16,6 23,13' -fill lime -draw "
                 "'rectangle 40,4 47,11' -quality 100 jpg:@" +
                     Tag + tags + "-Orientation#=" + std::to_string(orientation) + " @");
        const PictureInfo info = ReadPictureInfo(path);
        EXPECT_EQ(Names(info), (std::vector<std::string>{"Grandma", "Bob", "Carol", "Dora", "Eve"}))
            << orientation;
        ASSERT_EQ(info.People.size(), 5u);
        EXPECT_TRUE(info.People[0].HasBox && info.People[1].HasBox && !info.People[2].HasBox);
        EXPECT_EQ(info.TaggedFaces.size(), 3u) << "Grandma (named twice), the unnamed face, Bob";
        const bool turned = orientation >= 5;
        const int width = turned ? 40 : 80, height = turned ? 80 : 40;
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(DecodePicture(path.c_str(), width, height, PictureFit::Stretch, &pixels));
        const auto at = [&](const FaceBox& box) {
            return pixels[size_t(std::floor((box.Top + box.Height / 2) * height)) * width +
                          size_t(std::floor((box.Left + box.Width / 2) * width))];
        };
        EXPECT_GT((at(info.People[0].Box) >> 16) & 0xFF, 200u) << orientation;
        EXPECT_GT((at(info.People[1].Box) >> 8) & 0xFF, 200u) << orientation;
    }
}

TEST(PicturePeople, EachFormatAndEachPlaceBesideThePicture) {
    const std::string folder = testing::TempDir();
    const std::string red = "convert -size 80x40 xc:red ";
    // Sidecars: digiKam's beside the whole name, Adobe's instead of the extension; the sidecar
    // says the picture is turned, which only the file may say.
    const std::string jpeg = Make("sided.jpg", red + "jpg:@" + Tag + Ann + "-Orientation#=1 @");
    Make("sided.jpg.xmp",
         "rm -f @ && exiftool -q -o @ '-XMP-MP:RegionInfoMP={Regions=[{PersonDisplayName=Ben,"
         "Rectangle=0.1|, 0.1|, 0.2|, 0.2}]}' -XMP-iptcExt:PersonInImage=ANN -XMP-tiff:Orientation=6");
    Make("sided.xmp", "rm -f @ && exiftool -q -o @ '-XMP-lr:HierarchicalSubject=People|Cy'");
    // Google's JSON: whole, and cut short with its title naming the picture (a neighbour's cut
    // JSON names another).
    const std::string google = Make("g.jpg", red + "jpg:@");
    Write(folder + "g.jpg.supplemental-metadata.json",
          "{\"title\":\"renamed.jpg\",\"people\":[{\"name\":\"Dee\"},{\"name\":\"Eli\"}]}");
    const std::string stem(46, 'p');
    const std::string cut = Make(stem + "-1.jpg", red + "jpg:@");
    Write(folder + stem + ".json", "{\"people\":[{\"name\":\"Fay\"}],\"title\":\"" + stem + "-1.jpg\"}");
    const std::string neighbour = Make(stem + "-2.jpg", red + "jpg:@");
    // Extended XMP: a thousand and one regions leave no room in the main packet.
    std::string regions = "{RegionList=[{Area={X=0.5,Y=0.5,W=0.2,H=0.4,Unit=normalized},Name=Gus,Type=Face}";
    for (int i = 0; i < 1000; ++i)
        regions += ",{Area={X=0.1,Y=0.1,W=0.1,H=0.1,Unit=normalized},Type=Face}";
    Write(folder + "regions.txt", regions + "]}");
    const std::string extended =
        Make("extended.jpg", red + "jpg:@" + Tag + "'-XMP-mwg-rs:RegionInfo<=" + folder + "regions.txt' @" +
                                 " && exiftool -v @ | grep -c 'JPEG APP1' | grep -qv '^[01]$'");
    // Sidecars that are no small files: folders, one larger than a packet may be.
    const std::string alone = Make("alone.jpg", red + "jpg:@");
    mkdir((folder + "alone.jpg.xmp").c_str(), 0700);
    mkdir((folder + "alone.jpg.json").c_str(), 0700);
    std::ofstream(Make("alone.xmp", "rm -f @ && exiftool -q -o @ -XMP-iptcExt:PersonInImage=Big"),
                  std::ios::app)
        << std::string(1100000, ' ');
    const struct {
        std::string Path;
        std::vector<std::string> Names;
    } cases[] = {
        {Make("ann.png", red + "PNG24:@" + Tag + Ann + "@"), {"Ann"}},
        {Make("ann.webp", red + "@" + Tag + Ann + "@"), {"Ann"}},
        {Make("ann.heic", red + "PNG24:@.png && heif-enc -o @ @.png" + Tag + Ann + "@"), {"Ann"}},
        {Make("ann.tif", red + "-compress LZW tif:@" + Tag + Ann + "@"), {"Ann"}},
        {jpeg, {"Ann", "Ben", "Cy"}},
        {google, {"Dee", "Eli"}},
        {cut, {"Fay"}},
        {neighbour, {}},
        {extended, {"Gus"}},
        {alone, {}},
    };
    for (const auto& c : cases) {
        const PictureInfo info = ReadPictureInfo(c.Path);
        EXPECT_EQ(Names(info), c.Names) << c.Path;
        if (!c.Names.empty() && c.Names[0] == "Ann") {
            // Stored as drawn: none of these pictures is turned.
            const FaceBox box = info.People[0].Box;
            EXPECT_TRUE(info.People[0].HasBox) << c.Path;
            EXPECT_NEAR(box.Left, 0.4, 1e-9);
            EXPECT_NEAR(box.Top, 0.3, 1e-9);
            EXPECT_NEAR(box.Width, 0.2, 1e-9);
            EXPECT_NEAR(box.Height, 0.4, 1e-9);
        }
    }
}

TEST(PicturePeople, HostileTagsGiveABoundedListAndLeaveTheTitle) {
    std::string many;
    for (int i = 0; i < 10000; ++i)
        many += Region("P" + std::to_string(i), "0.5");
    std::string nested;
    for (int i = 0; i < 5000; ++i)
        nested += "<rdf:li mwg-rs:Name='Deep'><mwg-rs:RegionList><rdf:Bag>";
    for (int i = 0; i < 5000; ++i)
        nested += "</rdf:Bag></mwg-rs:RegionList></rdf:li>";
    const std::string longName(100000, 'n');
    const struct {
        const char* Name;
        std::string Body;
        std::vector<std::string> Names;
        size_t Boxes;
    } cases[] = {
        {"several scripts, each once whatever its case",
         RegionList(Region("Łukasz", "0.2") + Region("ŁUKASZ", "0.2") + Region("Мария", "0.4") +
                    Region("МАРИЯ", "0.4") + Region("太郎", "0.6") + Region("محمد", "0.8") +
                    Region(" ", "0.9")),
         {"Łukasz", "Мария", "太郎", "محمد"},
         5},
        {"unsound boxes keep their names",
         RegionList(Region("Nan", "nan") + Region("Negative", "0.5", "-0.1") + Region("Zero", "0.5", "0") +
                    Region("Word", "abc") + Region("Far", "7")) +
             "<MPRI:Regions><rdf:Bag><rdf:li MPReg:PersonDisplayName='Short' MPReg:Rectangle='0.1, 0.1, "
             "0.2'/>"
             "</rdf:Bag></MPRI:Regions>",
         {"Nan", "Negative", "Zero", "Word", "Far", "Short"},
         0},
        {"only the People branch names people",
         "<digiKam:TagsList><rdf:Seq><rdf:li>People</rdf:li><rdf:li>people/Xena</rdf:li><rdf:li>Family/"
         "People/Yan"
         "</rdf:li><rdf:li>People/</rdf:li><rdf:li>Zoe</rdf:li></rdf:Seq></digiKam:TagsList>",
         {"Xena"},
         0},
        {"regions nested in regions, deeper than any bound", RegionList(nested), {}, 0},
    };
    for (const auto& c : cases) {
        const PictureInfo info = InfoOfPacket(c.Body);
        EXPECT_EQ(info.Title, "Kept") << c.Name;
        EXPECT_EQ(Names(info), c.Names) << c.Name;
        EXPECT_EQ(info.TaggedFaces.size(), c.Boxes) << c.Name;
    }
    const PictureInfo crowd = InfoOfPacket(RegionList(many));
    EXPECT_EQ(crowd.Title, "Kept");
    EXPECT_EQ(crowd.People.size(), MaxPeople);
    EXPECT_EQ(crowd.TaggedFaces.size(), 1u) << "all in one place: one face";
    const PictureInfo one = InfoOfPacket(RegionList(Region(longName, "0.5")));
    ASSERT_EQ(one.People.size(), 1u);
    EXPECT_EQ(one.People[0].Name, std::string(MaxPersonNameBytes, 'n'));
    const PictureInfo declared =
        InfoOfPacket("</rdf:Description></rdf:RDF></x:xmpmeta><!DOCTYPE x [<!ENTITY n 'Boom'>]><x>&n;");
    EXPECT_TRUE(declared.People.empty());
}

TEST(PicturePeople, ExtendedXmpOnlyWhenItsPartsAgree) {
    const std::string guid(32, 'A');
    const auto part = [&](const std::string& id, uint32_t full, uint32_t offset, const std::string& data) {
        std::string head = id;
        for (const uint32_t value : {full, offset})
            for (int shift = 24; shift >= 0; shift -= 8)
                head += char(value >> shift);
        return head + data;
    };
    const struct {
        const char* Name;
        std::vector<std::string> Segments;
        std::string Packet;
    } cases[] = {
        {"out of order, another's among them",
         {part(guid, 6, 3, "def"), part(std::string(32, 'B'), 6, 0, "xyz"), part(guid, 6, 0, "abc")},
         "abcdef"},
        {"overlapping", {part(guid, 5, 0, "abc"), part(guid, 5, 2, "cde")}, "abcde"},
        {"another GUID only", {part(std::string(32, 'B'), 3, 0, "abc")}, ""},
        {"a gap", {part(guid, 6, 0, "ab"), part(guid, 6, 3, "def")}, ""},
        {"short of its length", {part(guid, 7, 0, "abc")}, ""},
        {"beyond its length", {part(guid, 3, 2, "abc")}, ""},
        {"lengths disagreeing", {part(guid, 3, 0, "abc"), part(guid, 4, 0, "abcd")}, ""},
        {"larger than a packet may be", {part(guid, 0xFFFFFFFF, 0, "abc")}, ""},
        {"a head cut short", {guid + "\0\0"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AssembleExtendedXmp(c.Segments, guid), c.Packet) << c.Name;
    EXPECT_EQ(AssembleExtendedXmp({part("short", 3, 0, "abc")}, "short"), "");
}

TEST(PicturePeople, GoogleJsonReadWithinBounds) {
    std::string crowd = "{\"title\":\"t.jpg\",\"people\":[";
    for (int i = 0; i < 1000; ++i)
        crowd += "{\"name\":\"P" + std::to_string(i) + "\",\"people\":[{\"name\":\"No\"}]},";
    crowd += "{}]}";
    const struct {
        const char* Name;
        std::string Json;
        bool Read;
        size_t People;
    } cases[] = {
        {"a crowd, people within people passed over", crowd, true, MaxGooglePeople},
        {"cut short", crowd.substr(0, 200), false, 0},
        {"100,000 arrays open", std::string(100000, '['), false, 0},
        {"deep objects within people", "{\"people\":[" + std::string(80, '{') + "]}", false, 0},
        {"an array", "[{\"name\":\"A\"}]", false, 0},
        {"a name that is no string", "{\"people\":[{\"name\":7},{\"name\":\"B\"}]}", true, 1},
        {"a name outside people", "{\"name\":\"C\",\"x\":[{\"name\":\"D\"}]}", true, 0},
    };
    for (const auto& c : cases) {
        GoogleJson read;
        EXPECT_EQ(ReadGoogleJson(c.Json, &read), c.Read) << c.Name;
        EXPECT_EQ(read.People.size(), c.People) << c.Name;
    }
}

} // namespace
