#pragma once
// The terminal's connection button: a person cuts the back-end's link to the
// servers and restores it, to see that the views get back what came
// meanwhile (the back-end's recovery batches rebuild their sheets).
class NewsBackend;

class ConnectionLink {
  public:
    explicit ConnectionLink(NewsBackend& backend) : m_backend(backend) {}

    // Cuts the link when it is up, restores it when it is cut; true when it
    // is up afterwards.
    bool Toggle();
    bool IsUp() const;
    // The button's text: what pressing it does next.
    const char* ButtonTextKey() const;

  private:
    NewsBackend& m_backend;
};
