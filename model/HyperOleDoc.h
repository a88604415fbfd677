// A design document: the window description (frame object), the page(s)
// and the two document texts, Title and Description, with the design file
// that stores them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/HyperFrameOb.h"
#include "model/HyperPage.h"

class CArchive;

// How a read went.
struct LoadResult {
    enum Status { kOk, kPartial, kFailed };
    Status status = kOk;
    // What was wrong and where (empty when kOk).
    std::string message;
};

class CHyperOleDoc {
public:
    CHyperOleDoc();
    virtual ~CHyperOleDoc();
    CHyperOleDoc(const CHyperOleDoc&) = delete;
    CHyperOleDoc& operator=(const CHyperOleDoc&) = delete;

    // ---- contents ----
    CHyperFrameOb* frameObject() const { return frame_.get(); }
    void SetFrameObject(std::unique_ptr<CHyperFrameOb> f);
    static std::unique_ptr<CHyperFrameOb> NewFrameObject();
    CHyperPage& mainPage() const { return *pages_.front(); }
    const std::vector<std::unique_ptr<CHyperPage>>& pages() const { return pages_; }
    CHyperPage& AddPage();

    const std::string& title() const { return title_; }
    const std::string& description() const { return description_; }
    void SetDescription(std::string d) { description_ = std::move(d); }
    // The texts themselves, for the page properties "Title" and "Description".
    std::string& titleMember() { return title_; }
    std::string& descriptionMember() { return description_; }
    // The framework gives the document a title (a new document's default
    // name, the file title): stored as the Title. SetPathName replaces the
    // Title with the new file title only while it is still the one given.
    virtual void SetTitle(const std::string& title);

    // ---- file ----
    const std::string& pathName() const { return path_; }
    // Records the file the document was read from or saved to.
    virtual void SetPathName(const std::string& path);
    bool IsModified() const { return modified_; }
    virtual void SetModifiedFlag(bool modified = true);
    bool readOnlyFile() const { return readOnlyFile_; }
    // Set when a damaged file was only partly read: saving over it needs the
    // user's word, so the document behaves as untitled.
    bool partlyRead() const { return partlyRead_; }

    // Writes or reads the whole design file.
    virtual void Serialize(CArchive& ar);

    // Reads a design from bytes / a file; the document is replaced only
    // when the read succeeds (partial reads keep what was read).
    LoadResult LoadFromBytes(const std::vector<uint8_t>& bytes);
    LoadResult LoadFromFile(const std::string& path);
    // The design file bytes; throws CArchiveException when a value cannot
    // be stored.
    std::vector<uint8_t> SaveToBytes();
    // Writes the file through vx::SaveFileSafely, so a failed save leaves the
    // old file byte for byte as it was. Returns an empty string on success,
    // else the cause in words.
    std::string SaveToFile(const std::string& path);
    // The editor's Save and Save As: writes `path` with SaveToFile, then
    // records it as the document's file and clears the modified flag. The
    // file holds the Title the document has afterwards. On failure nothing
    // changes and the cause is returned.
    std::string DoSave(const std::string& path);
    // Empties the document: no objects, default page and frame objects.
    virtual void DeleteContents();

    // The auto-save side file of a document: "~" before the file name.
    static std::string AutoSaveName(const std::string& path, const std::string& title);
    // A path whose file name starts with "~" is an auto-save file.
    static bool IsAutoSavePath(const std::string& path);

    // The design as stable JSON (`vexelwork dump`).
    std::string DumpJson() const;

private:
    void ReadTrailer(CArchive& ar);

    std::unique_ptr<CHyperFrameOb> frame_;
    std::vector<std::unique_ptr<CHyperPage>> pages_;
    std::string title_;
    // The title the framework gave last; a Title equal to it is nobody's choice.
    std::string givenTitle_;
    std::string description_;
    // Why reading stopped inside the trailer (empty when it did not).
    std::string trailerCut_;
    std::string path_;
    bool modified_ = false;
    bool readOnlyFile_ = false;
    bool partlyRead_ = false;
};

// The application's design document.
class CMyDoc : public CHyperOleDoc {
public:
    CMyDoc() = default;
};

// Registers every class a design file may name.
void RegisterModelClasses();
