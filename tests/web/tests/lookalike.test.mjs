// Right items a student cannot tell apart on a matching page are one answer
// there: blanks (trailing, leading, doubled, no-break, a tab), a character
// reference against its letter, a letter typed with a combining accent, and
// on the select-list page markup that an option does not show.  Items that
// look different stay different.  Texts shown without their markup keep
// their word breaks: a line break and the edges of a block read as a blank.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  exportMatching, matchTexts, screenshot, startBrowser, watchConsole, writeMatchFile,
} from './helpers.mjs';
import { collectErrors, firefoxMissing, startFirefox } from './firefox-helpers.mjs';

// A teacher's slip: "Paris" and "Paris " look the same.
const example = [['France', 'Paris'], ['Texas', 'Paris '], ['Italy', 'Rome']];
// More look-alikes, each row with the text a student chooses for it, and
// items that look different from them.
const lookAlikes = [
  ['Coffee', 'caf&eacute;', 'caf\u00e9'],
  ['Bistro', 'caf\u00e9', 'caf\u00e9'],
  ['Bar', 'caf&#xE9;', 'caf\u00e9'],
  ['Tavern', 'cafe&#769;', 'caf\u00e9'],
  ['Apple', 'New  York', 'New York'],
  ['Big apple', 'New&nbsp;York', 'New York'],
  ['Empire', ' New\tYork', 'New York'],
  ['Germany', '<b>Berlin</b>', 'Berlin'],
  ['Wall', 'Berlin', 'Berlin'],
  ['Unicode', '&#8491;ngstr&ouml;m', '\u00c5ngstr\u00f6m'],
  ['Unit', '\u00c5ngstr\u00f6m', '\u00c5ngstr\u00f6m'],
  ['Plain', 'cafe', 'cafe'],
  ['Typo', 'New Yorke', 'New Yorke'],
];

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

async function open(pairs, mode, viewport = null) {
  const exported = exportMatching({ mode, pry: writeMatchFile(pairs) });
  const page = await browser.newPage();
  if (viewport) await page.setViewportSize(viewport);
  const problems = watchConsole(page);
  await page.goto(exported.url);
  if (mode === 'dragdrop') await page.waitForTimeout(300);
  return { page, problems };
}

// The option texts of a row's list, as the student reads them.
const optionTexts = (page, left) => page.getByRole('combobox', { name: left, exact: true })
  .evaluate((s) => [...s.options].map((o) => o.text.normalize('NFC').replace(/\s+/g, ' ').trim()));
// Chooses, in each row, the option that reads as the text given.
async function choose(page, rows) {
  for (const [left, text] of rows) {
    const index = (await optionTexts(page, left)).indexOf(text);
    assert.ok(index > 0, `${left}: "${text}" offered`);
    await page.getByRole('combobox', { name: left, exact: true }).selectOption({ index });
  }
  await page.getByRole('button', { name: matchTexts.editCheck, exact: true }).click();
  return (await page.locator('#Score').innerText()).trim();
}

// Puts the card of pair i (item order) into the place of pair j, by picking
// and placing as a keyboard or a tap does.
async function place(page, i, j) {
  await page.evaluate(([a, b]) => {
    Cards[a].el.setAttribute('data-test-item', String(a));
    Slots[b].place.setAttribute('data-test-place', String(b));
  }, [i, j]);
  await page.locator(`[data-test-item="${i}"]`).click();
  await page.locator(`[data-test-place="${j}"]`).click();
}
async function dragScore(page) {
  await page.getByRole('button', { name: matchTexts.editCheck, exact: true }).click();
  await page.locator('#Popup[open]').waitFor();
  const text = (await page.locator('#Score').innerText()).trim();
  await page.keyboard.press('Escape');
  return text;
}

describe('look-alike right items, select-list page', () => {
  test('"Paris" and "Paris " are one option, right for both rows', async () => {
    const { page, problems } = await open(example, 'select');
    assert.deepEqual((await optionTexts(page, 'France')).slice(1).sort(), ['Paris', 'Rome']);
    assert.equal(await choose(page, [['France', 'Paris'], ['Texas', 'Paris'], ['Italy', 'Rome']]),
      'Your score is: 100% (3 / 3)');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('references, combining accents, blanks and markup read alike; other texts stay apart', async () => {
    const { page, problems } = await open(lookAlikes.map(([l, r]) => [l, r]), 'select');
    const options = (await optionTexts(page, 'Coffee')).slice(1);
    assert.deepEqual([...options].sort(), ['Berlin', 'New York', 'New Yorke', 'cafe', 'caf\u00e9', '\u00c5ngstr\u00f6m'].sort(),
      'each text a student can read offered once');
    assert.equal(await choose(page, lookAlikes.map(([l, , shown]) => [l, shown])), `Your score is: 100% (${lookAlikes.length} / ${lookAlikes.length})`);
    await screenshot(page, 'lookalike-select-1280.png');
    // Texts that look different are wrong for each other's rows.
    assert.equal(await choose(page, [['Coffee', 'cafe'], ['Plain', 'caf\u00e9'], ['Apple', 'New Yorke'], ['Typo', 'New York']]),
      `Your score is: 69% (${lookAlikes.length - 4} / ${lookAlikes.length})`);
    await page.setViewportSize({ width: 360, height: 740 });
    await page.waitForTimeout(100);
    assert.equal(await page.evaluate(() => document.documentElement.scrollWidth > innerWidth + 1), false, 'no sideways scrolling');
    await screenshot(page, 'lookalike-select-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('look-alike right items, drag-and-drop page', () => {
  test('"Paris" and "Paris " swapped: either card is right in either place', async () => {
    const { page, problems } = await open(example, 'dragdrop');
    await place(page, 1, 0);
    await place(page, 0, 1);
    await place(page, 2, 2);
    assert.equal(await dragScore(page), 'Your score is: 100%');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('look-alike cards swapped score full marks; cards that look different are wrong', async () => {
    const pairs = [
      ['Coffee', 'caf&eacute;'], ['Tavern', 'cafe&#769;'], ['Bar', 'caf&#xE9;'],
      ['Apple', 'New&nbsp;York'], ['Big apple', ' New  York '],
      ['Unicode', '&#8491;'], ['Unit', '\u00c5'],
      ['Plain', 'cafe'], ['Capital', 'paris'], ['France', 'Paris'],
    ];
    const { page, problems } = await open(pairs, 'dragdrop', { width: 360, height: 740 });
    // Each look-alike card in another look-alike's place.
    for (const [from, to] of [[0, 1], [1, 2], [2, 0], [3, 4], [4, 3], [5, 6], [6, 5], [7, 7], [8, 9], [9, 8]]) await place(page, from, to);
    await screenshot(page, 'lookalike-drag-360.png');
    // "paris" is not "Paris": both swapped cards are wrong.
    assert.equal(await dragScore(page), 'Your score is: 80%');
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('texts shown without their markup keep their word breaks', () => {
  const pairs = [['<p>France</p><p>(Europe)</p>', 'Paris<br>France'], ['Italy', '<div>Rome</div><div>Lazio</div>'], ['Spain', 'Madrid']];

  test('drag-and-drop page: place names, card names and what is announced', async () => {
    const { page, problems } = await open(pairs, 'dragdrop');
    const places = await page.locator('.place').evaluateAll((ps) => ps.map((p) => p.getAttribute('aria-label')));
    assert.deepEqual(places, ['Place for: France (Europe)', 'Place for: Italy', 'Place for: Spain']);
    await place(page, 0, 0);
    const said = await page.evaluate(() => new Promise((r) => setTimeout(() => r(document.getElementById('Announce').textContent), 100)));
    assert.equal(said, 'Paris France placed with France (Europe).');
    assert.equal(await page.evaluate(() => CardText(Cards[1])), 'Rome Lazio');
    assert.equal(await page.evaluate(() => ReadText(Slots[0].left)), 'France (Europe)', 'the page reads the left item as it is named');
    await screenshot(page, 'lookalike-drag-names-1280.png');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('select-list page: option texts and list names', async () => {
    const { page, problems } = await open(pairs, 'select');
    const options = await page.locator('select.choice').first().evaluate((s) => [...s.options].map((o) => o.text));
    assert.deepEqual(options.slice(1).sort(), ['Madrid', 'Paris France', 'Rome Lazio']);
    assert.equal(await page.getByRole('combobox', { name: 'France (Europe)', exact: true }).count(), 1);
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('look-alike right items in Firefox ESR', { skip: firefoxMissing, timeout: 90000 }, () => {
  test('the example scores full marks on both page kinds', async (t) => {
    const ff = await startFirefox(t);
    if (!ff) return;
    try {
      for (const mode of ['select', 'dragdrop']) {
        const exported = exportMatching({ mode, pry: writeMatchFile(example) });
        const page = await ff.newPage();
        await page.evaluateOnNewDocument(collectErrors);
        await page.goto(exported.url);
        const score = await page.evaluate(async (kind) => {
          const fire = (el, type) => el.dispatchEvent(new Event(type, { bubbles: true }));
          if (kind === 'select') {
            const lists = [...document.querySelectorAll('select.choice')];
            const texts = [...lists[0].options].map((o) => o.text.trim());
            if (texts.filter((x) => x === 'Paris').length !== 1) return `options ${texts.join('|')}`;
            ['Paris', 'Paris', 'Rome'].forEach((want, k) => {
              lists[k].selectedIndex = texts.indexOf(want);
              fire(lists[k], 'change');
            });
            document.querySelector('.actions input[type=button]').click();
            return document.getElementById('Score').textContent.trim();
          }
          await new Promise((r) => setTimeout(r, 300));
          [[1, 0], [0, 1], [2, 2]].forEach(([c, s]) => { Cards[c].el.click(); Slots[s].place.click(); });
          document.getElementById('CheckButton').click();
          return document.getElementById('Score').textContent.trim();
        }, mode);
        assert.equal(score, mode === 'select' ? 'Your score is: 100% (3 / 3)' : 'Your score is: 100%', mode);
        assert.deepEqual(await page.evaluate(() => window.tavrelErrors), [], mode);
        await page.close();
      }
    } finally {
      await ff.close();
    }
  });
});
