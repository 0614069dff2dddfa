// One Back leaves the exercise after a timed reading: showing, hiding and
// showing again the reading beside a quiz (frames page and single page)
// replaces the reading frame's page instead of adding to the history, so
// that one press of the page's Back button, or of the browser's, goes back
// to the page the student came from.  In Chromium and in Firefox ESR.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { exportQuiz, startBrowser, texts, watchConsole } from './helpers.mjs';
import { firefoxMissing, startFirefox } from './firefox-helpers.mjs';

// A quiz with a timed reading of one minute, and a start page beside it
// that links to it; returns the start page's address.
function startPage(mode) {
  const exported = exportQuiz({ mode, reading: 'typed', timer: 1 });
  const start = join(exported.dir, 'start.htm');
  writeFileSync(start, '<!DOCTYPE html><title>Start</title><p><a id="go" href="quiz.htm">The quiz</a>');
  return pathToFileURL(start).href;
}

// Every document's clock runs sixty times as fast: the minute of the
// reading is over in a second, whatever the browser.
function fastClock() {
  const realNow = Date.now;
  const start = realNow();
  Date.now = () => start + (realNow() - start) * 60;
}

// What the test does in a browser: open an address, follow the start
// page's link, click a button of the questions frame by its text, wait for
// a text in it, and tell the reading frame's and the top page's address.
async function readAndTimeOut(b) {
  await b.click('Start', '#go');
  await b.waitForText('#ReadingButton', texts.editStartReading);
  await b.click('code', '#ReadingButton');
  await b.waitForReading(/quizr\.htm$/);
  await b.waitForText('#ReadingStatus', texts.editTimesUp);
  await b.waitForReading(/^about:blank$/);
  // Shown again after the time is up.
  await b.click('code', '#ReadingButton');
  await b.waitForReading(/quizr\.htm$/);
}

describe('one Back leaves the exercise, Chromium', () => {
  let browser;
  before(async () => { browser = await startBrowser(); });
  after(async () => { await browser.close(); });

  for (const mode of ['frames', 'single']) {
    for (const how of ['the browser\'s Back', 'the page\'s Back button']) {
      test(`${mode}: after a timed reading, ${how} goes back to the start page`, async () => {
        const url = startPage(mode);
        const page = await browser.newPage();
        const problems = watchConsole(page);
        await page.addInitScript(fastClock);
        await page.goto(url);
        const code = () => page.frame({ name: 'CodeFrame' });
        const frameOf = async (which) => {
          if (which === 'Start') return page.mainFrame();
          for (let i = 0; i < 100 && !code(); i++) await page.waitForTimeout(50);
          return code();
        };
        await readAndTimeOut({
          click: async (which, selector) => (await frameOf(which)).locator(selector).click(),
          waitForText: async (selector, text) =>
            (await frameOf('code')).locator(selector, { hasText: text }).waitFor(),
          waitForReading: async (pattern) => {
            for (let i = 0; i < 200; i++) {
              if (pattern.test(page.frame({ name: 'ReadingFrame' })?.url() ?? '')) return;
              await page.waitForTimeout(50);
            }
            assert.fail(`the reading never showed ${pattern}`);
          },
        });
        if (how === 'the browser\'s Back') await page.goBack();
        else await code().locator(mode === 'frames' ? `input[type=button][value="${texts.editBack}"]` : '#BackButton').click();
        await page.waitForURL(/start\.htm$/, { timeout: 5000 });
        assert.equal(await page.title(), 'Start');
        assert.deepEqual(problems, []);
        await page.close();
      });
    }
  }
});

describe('one Back leaves the exercise, Firefox ESR', { skip: firefoxMissing, timeout: 120000 }, () => {
  test('frames and single page: after a timed reading, the browser\'s Back and the page\'s Back button go back to the start page', async (t) => {
    const firefox = await startFirefox(t);
    if (!firefox) return;
    const wait = (ms) => new Promise((r) => setTimeout(r, ms));
    try {
      for (const mode of ['frames', 'single']) {
        for (const how of ['browser', 'button']) {
          const page = await firefox.newPage();
          await page.evaluateOnNewDocument(fastClock);
          await page.goto(startPage(mode));
          const code = () => page.frames().find((f) => /quizc\.htm/.test(f.url()));
          const frameOf = async (which) => {
            if (which === 'Start') return page.mainFrame();
            for (let i = 0; i < 100 && !code(); i++) await wait(50);
            return code();
          };
          await readAndTimeOut({
            click: async (which, selector) => {
              const f = await frameOf(which);
              await f.waitForSelector(selector);
              await f.$eval(selector, (e) => e.click());
            },
            waitForText: async (selector, text) => (await frameOf('code')).waitForFunction(
              (s, x) => document.querySelector(s) && document.querySelector(s).textContent.includes(x), {}, selector, text),
            waitForReading: async (pattern) => {
              for (let i = 0; i < 200; i++) {
                if (page.frames().some((f) => f !== page.mainFrame() && f !== code() && pattern.test(f.url()) &&
                  !/quizw\.htm/.test(f.url()))) return;
                await wait(50);
              }
              assert.fail(`${mode}: the reading never showed ${pattern}`);
            },
          });
          // The frameset comes back from the page cache without a load for
          // goBack() to wait for: the address tells.
          if (how === 'browser') page.goBack({ timeout: 10000 }).catch(() => {});
          else await code().$eval(mode === 'frames' ? `input[type=button][value="${texts.editBack}"]` : '#BackButton', (e) => e.click());
          // The page's own address: the driver's may lag behind a page from
          // the cache.
          const address = () => page.evaluate(() => location.href).catch(() => '');
          for (let i = 0; i < 100 && !/start\.htm$/.test(await address()); i++) await wait(50);
          assert.match(await address(), /start\.htm$/, `${mode}, ${how}`);
          await page.close();
        }
      }
    } finally {
      await firefox.close();
    }
  });
});
