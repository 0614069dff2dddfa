// A text the quiz and crossword pages' scripts show without its markup (the
// questions frame's tab title, the single page's announcement of a
// question, the crossword's names of its squares) keeps its word breaks: a
// line break and the edges of a block are one blank, as where a browser's
// innerText breaks the line; inline elements add nothing.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { exportQuiz, frameNamed, startBrowser, watchConsole, writeQuizFile } from './helpers.mjs';
import { exportCrossword } from './crossword-helpers.mjs';

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

describe('text without its markup keeps its word breaks', () => {
  test('quiz, frames: the questions frame\'s title', async () => {
    for (const [title, shown] of [
      ['<p>Capitals</p><p>of Europe</p>', 'Capitals of Europe'],
      ['Capitals<br>of <b>Eu</b>rope', 'Capitals of Europe'],
      ['<ul><li>Rivers</li><li>lakes</li></ul><table><tr><td>and</td><td>seas</td></tr></table><h3>2</h3>', 'Rivers lakes and seas 2'],
      ['<span style="display:block">Maps</span>of <i>the</i> world', 'Maps of the world'],
    ]) {
      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.goto(exportQuiz({ quiz: writeQuizFile(title, [['Q', ['a']]]) }).url);
      const code = await frameNamed(page, 'CodeFrame');
      assert.equal(await code.evaluate(() => document.title), shown, title);
      assert.deepEqual(problems, []);
      await page.close();
    }
  });

  test('quiz, single page: the announcement of a question', async () => {
    const page = await browser.newPage();
    const quiz = writeQuizFile('Q', [['<p>Name</p><p>a <b>ci</b>ty:</p><ol><li>big</li><li>old</li></ol>', ['Rome']], ['Two', ['2']]]);
    await page.goto(exportQuiz({ mode: 'single', quiz }).url);
    await page.locator('#NextQ').click();
    await page.locator('#PrevQ').click();
    assert.equal(await page.locator('#QAnnounce').textContent(), '1 / 2: Name a city: big old');
    await page.close();
  });

  for (const mode of ['frames', 'single']) {
    test(`crossword, ${mode}: the names of the squares`, async () => {
      const page = await browser.newPage();
      const problems = watchConsole(page);
      const exported = exportCrossword({
        mode, rows: ['KIWI'], clues: { KIWI: 'A bird' }, texts: { editCluesAcross: '<div>Words</div><div>acr<b>oss</b></div>' },
      });
      await page.goto(exported.url);
      const code = mode === 'frames' ? await frameNamed(page, 'CodeFrame') : page.mainFrame();
      assert.match(await code.locator('input.box').first().getAttribute('aria-label'), /^1 words across, letter 1 of 4/);
      assert.deepEqual(problems, []);
      await page.close();
    });
  }
});
