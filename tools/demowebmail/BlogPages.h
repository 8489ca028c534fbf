#pragma once

#include <QList>
#include <QString>

namespace ferrowen::demowebmail {

class FormFields;

struct BlogPost
{
    int id = 0;
    QString title;
    QString body; // the HTML as posted
};

// A small blog service: its posting page holds the form "stuffform" with
// the field "txaBody" in the frame "blog_form", which stands in the frame
// "inside" of the page "/blog". Published posts are kept in memory, the
// newest as far as RetainedPosts allows.
class BlogPages
{
public:
    QString outerPage() const;   // "/blog"
    QString insidePage() const;  // "/blog/inside"
    QString formPage(const QString &notice = QString()) const; // "/blog/form"
    // The newest posts, as far as RetainedPosts lists and shows them.
    QString postsPage() const;   // "/blog/posts"

    // Publishes the posted form; the form page answers with a notice.
    BlogPost publish(const FormFields &fields);
    const QList<BlogPost> &posts() const { return m_posts; }

private:
    QList<BlogPost> m_posts;
    int m_nextId = 1;
};

} // namespace ferrowen::demowebmail
