#include "demowebmail/BlogPages.h"

#include "demowebmail/FormFields.h"
#include "demowebmail/PageFrame.h"
#include "demowebmail/PageTemplate.h"
#include "demowebmail/RetainedPosts.h"

#include <QVariantList>

namespace ferrowen::demowebmail {

QString BlogPages::outerPage() const
{
    const QString content = PageTemplate::resourceText(QStringLiteral("blog/blog.html"));
    return PageFrame{QStringLiteral("Demo Blog"), QStringLiteral("Demo Blog"), {}, QStringLiteral("blog"), {}, {}}
        .wrap(content);
}

QString BlogPages::insidePage() const
{
    return PageTemplate::resourceText(QStringLiteral("blog/inside.html"));
}

QString BlogPages::formPage(const QString &notice) const
{
    return PageTemplate::renderResource(QStringLiteral("blog/form.html"), {{QStringLiteral("notice"), notice}});
}

QString BlogPages::postsPage() const
{
    QVariantList posts;
    for (auto post = m_posts.crbegin(); post != m_posts.crend() && posts.size() < RetainedPosts::MaxListed; ++post)
        posts.append(QVariantMap{{QStringLiteral("title"), RetainedPosts::shownText(post->title)},
                                 {QStringLiteral("body"), RetainedPosts::shownText(post->body)}});
    const QString content = PageTemplate::renderResource(QStringLiteral("blog/posted.html"),
                                                         {{QStringLiteral("posts"), posts}});
    return PageFrame{QStringLiteral("Published posts"), QStringLiteral("Demo Blog"), {}, QStringLiteral("blog"), {}, {}}
        .wrap(content);
}

BlogPost BlogPages::publish(const FormFields &fields)
{
    BlogPost post;
    post.id = m_nextId++;
    post.title = fields.value(QStringLiteral("txtTitle"));
    post.body = fields.value(QStringLiteral("txaBody"));
    m_posts.append(post);
    RetainedPosts::dropOldest<BlogPost>(m_posts, [](const BlogPost &kept) {
        return RetainedPosts::bytesOf(kept.title) + RetainedPosts::bytesOf(kept.body);
    });
    return post;
}

} // namespace ferrowen::demowebmail
