#pragma once

#include <functional>

#include "gui/Label.h"

namespace gui {

// A one-line text field. Typing (UTF-8, any script) goes into the text at the caret; the caret and a
// selection move with the keyboard and the mouse. The text is shown exactly as typed (no mark-up);
// while it is empty the empty-text key is shown dimmed. Enter raises Event::Submit.
class EditBox : public Label {
public:
    explicit EditBox(const kit::String& name);
    const char* getKindName() const override { return "EditBox"; }

    bool isInteractive() const override { return true; }

    const kit::String& getEmptyTextKey() const { return emptyTextKey; }
    void setEmptyTextKey(const kit::String& key) { emptyTextKey = key; }
    // Maximum length in characters (code points); 0: no limit.
    int getMaxLength() const { return maxLength; }
    void setMaxLength(int maxLength) { this->maxLength = maxLength; }
    // Decides whether an edited text may stand (a name that must fit where it is shown): of what is
    // typed or pasted, only as much goes in as it accepts. Deleting is always allowed.
    void setAcceptor(std::function<bool(const kit::String&)> acceptor) {
        this->acceptor = std::move(acceptor);
    }

    // Caret and selection as character indices; the selection runs between the anchor and the caret.
    int getCaret() const;
    void setCaret(int index, bool extendSelection = false);
    bool hasSelection() const { return anchor != caret; }
    kit::String getSelectedText() const;
    void selectAll();
    // Replaces the selection (or inserts at the caret) with the text, cut to the maximum length.
    // Returns whether anything changed.
    bool insertText(const kit::String& utf8);
    bool deleteBackward();
    bool deleteForward();

    // Input while focused (the data set routes it here).
    bool onChar(unsigned int codePoint);
    bool onKeyDown(host::Key key, bool shift);
    void onPress(const quadrix::Vector2& guiPosition, host::Key key) override;
    void onDrag(const quadrix::Vector2& guiPosition) override;
    void onFocusChanged(bool focused) override;
    void update(float timeDelta) override;

protected:
    void _draw(const quadrix::Matrix3& matrix, float alpha) override;

private:
    // Byte offsets in the text of the character indices.
    size_t byteOffset(int index) const;
    int length() const;
    int indexAt(const quadrix::Vector2& guiPosition) const;
    float widthOf(int index) const;
    void changed();

    kit::String emptyTextKey;
    int maxLength = 0;
    std::function<bool(const kit::String&)> acceptor;
    int caret = 0;
    int anchor = 0;
    float blinkTime = 0.0f;
    // How far the text is shifted left so that the caret stays inside the box.
    float scroll = 0.0f;
};

}  // namespace gui
